// The setup run: find the Application Manager, show the wizard, and after Finish put the
// payload beside the Application Manager and hand it over.
#include "SetupApplication.h"


#include "AppManager.h"
#include "InstallFolder.h"
#include "InstallMessage.h"
#include "LateBound.h"
#include "PayloadExtractor.h"
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
    LateBound::MessageBoxA(nullptr, text.GetText(), caption.GetText(), MB_ICONERROR);
}

} // namespace

// The Application Manager never gets an incomplete payload.
void SetupApplication::Install()
{
    if (!PrepareInstallFolder(InstallFolder.GetText(), nullptr))
        return;  // the user has been told
    if (ExtractPayload(*this))
        LaunchAppManager(InstallFolder);
    else
        ShowInstallMessage(nullptr, IDS_EXTRACT_FAILED);
}

int SetupApplication::Init(HINSTANCE instance, char*, int)
{
    LateBound::InitCommonControls();
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
            Install();
    }
    CloseAppManagerKey();
    return 0;
}
