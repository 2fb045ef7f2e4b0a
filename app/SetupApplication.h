// SetupApplication: the one application object; its Init is the whole setup run.
#pragma once

#include "Application.h"

class SetupApplication : public Application {
public:
    // Runs the setup from start to end and returns 0, so no message loop follows.
    int Init(HINSTANCE instance, char* commandLine, int showCommand) override;

    TextString WizardTitle;
    TextString InstallFolder;

private:
    // After Finish: the install folder, the payload, then the Application Manager.
    void Install();
};
