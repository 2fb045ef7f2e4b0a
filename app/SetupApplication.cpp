// The setup run: find the Application Manager, show the wizard, hand the payload over.
#include "SetupApplication.h"

#include <commctrl.h>

#include "AppManager.h"
#include "ProcessState.h"
#include "Product.h"
#include "SystemLibrary.h"
#include "Wizard.h"
#include "resource.h"

namespace {

void ShowActiveSyncMissing()
{
    // AppInstance is not set yet: a null module names the program's own strings.
    TextString text;
    TextString caption;
    text.LoadString(nullptr, IDS_ACTIVESYNC_MISSING);
    caption.LoadString(nullptr, IDS_ERROR_CAPTION);
    MessageBoxA(nullptr, text.GetText(), caption.GetText(), MB_ICONERROR);
}

} // namespace

int SetupApplication::Init(HINSTANCE instance, char*, int)
{
    InitCommonControls();
    // The registration page's links are Rich Edit 2.0 controls; the library stays loaded.
    LoadSystemLibrary("riched20.dll");

    WizardTitle.LoadString(instance, IDS_WIZARD_TITLE);
    WizardTitle.Format(nullptr, ProductLabel, "");

    InstallFolder = ReadAppManagerPath();
    if (InstallFolder.GetLength() == 0) {
        ShowActiveSyncMissing();
    } else {
        MakeInstallFolder(InstallFolder);
        AppInstance = instance;
        RunWizard();
        if (InstallRequested)
            LaunchAppManager(InstallFolder);
    }
    CloseAppManagerKey();
    return 0;
}
