// The static objects, defined in one place so that ModuleState is built first and
// destroyed last.
#include "ProcessState.h"

#include "ModuleState.h"
#include "SetupApplication.h"

ModuleState TheModuleState;
SetupApplication TheSetupApplication;
Application* const CurrentApplication = &TheSetupApplication;
HINSTANCE AppInstance = nullptr;
int InstallRequested = 0;
