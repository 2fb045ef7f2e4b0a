// The static objects, defined in one place so that ModuleState is built first and
// destroyed last.
#include "app/ProcessState.h"

#include "app/SetupApplication.h"
#include "app/framework/ModuleState.h"

ModuleState TheModuleState;
SetupApplication TheSetupApplication;
Application* const CurrentApplication = &TheSetupApplication;
HINSTANCE AppInstance = nullptr;
int InstallRequested = 0;
