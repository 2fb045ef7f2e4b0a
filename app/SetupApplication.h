// SetupApplication: the one application object; its Init is the whole setup run.
#pragma once

#include "app/SingleInstance.h"
#include "app/framework/Application.h"

class SetupApplication : public Application {
public:
    // Runs the setup from start to end and returns 0, so no message loop follows; how the
    // run ended comes out of Exit.
    int Init(HINSTANCE instance, char* commandLine, int showCommand) override;
    // The run's exit code (ExitCode.h) where the framework's own code is 0.
    int Exit(int code) override;

    TextString WizardTitle;
    TextString InstallFolder;

private:
    // Init's road from the start to one of its ends; returns that end's exit code.
    int RunSetup(HINSTANCE instance);
    // After Finish: the install folder, the payload, then the Application Manager.
    int Install();

    SingleInstance singleCopy;
    int outcome = 0;
};
