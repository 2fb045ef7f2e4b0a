// The setup run: find the Application Manager, show the wizard, and after Finish put the
// payload beside the Application Manager and hand it over.
#include "app/SetupApplication.h"

#include "app/AppManager.h"
#include "app/ExitCode.h"
#include "app/ProcessState.h"
#include "app/Product.h"
#include "install/InstallFolder.h"
#include "install/InstallMessage.h"
#include "install/PayloadExtractor.h"
#include "resources/resource.h"
#include "support/LateBound.h"
#include "support/SystemLibrary.h"
#include "wizard/Wizard.h"

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

}  // namespace

// The Application Manager never gets an incomplete payload.
int SetupApplication::Install()
{
    if (!PrepareInstallFolder(InstallFolder.GetText(), nullptr))
        return ExitCode::FolderFailed;  // the user has been told
    if (DWORD reason = ExtractPayload(*this)) {
        ShowInstallMessage(nullptr, IDS_EXTRACT_FAILED, reason);
        return ExitCode::ExtractionFailed;
    }
    if (DWORD reason = LaunchAppManager(InstallFolder)) {
        ShowInstallMessage(nullptr, IDS_HANDOFF_FAILED, reason);
        return ExitCode::HandOffFailed;
    }
    return ExitCode::Installed;
}

int SetupApplication::RunSetup(HINSTANCE instance)
{
    if (!singleCopy.Claim()) {
        SingleInstance::ShowOtherCopy();
        return ExitCode::AlreadyRunning;
    }
    LateBound::InitCommonControls();
    // The registration page's links are Rich Edit 2.0 controls; the library stays loaded.
    LoadSystemLibrary("riched20.dll");

    WizardTitle.LoadString(instance, IDS_WIZARD_TITLE);
    WizardTitle.Format(nullptr, ProductLabel, "");

    InstallFolder = ReadAppManagerPath();
    if (InstallFolder.GetLength() == 0 || !AppManagerIsInstalled(InstallFolder)) {
        ShowActiveSyncMissing();
        return ExitCode::ActiveSyncMissing;
    }
    MakeInstallFolder(InstallFolder);
    AppInstance = instance;
    if (DWORD reason = RunWizard()) {
        ShowInstallMessage(nullptr, IDS_WIZARD_FAILED, reason);
        return ExitCode::WizardFailed;
    }
    return InstallRequested ? Install() : ExitCode::Cancelled;
}

int SetupApplication::Init(HINSTANCE instance, char*, int)
{
    outcome = RunSetup(instance);
    CloseAppManagerKey();
    return 0;
}

int SetupApplication::Exit(int code)
{
    code = Application::Exit(code);
    return code != 0 ? code : outcome;
}
