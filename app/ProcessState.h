// The process-wide records that every subsystem reaches.
#pragma once

#include <windows.h>

class Application;
class ModuleState;
class SetupApplication;

extern ModuleState TheModuleState;
extern SetupApplication TheSetupApplication;
// The one application object; fixed at build time, never assigned.
extern Application* const CurrentApplication;
// The module from which strings, dialogs, bitmaps and payload resources are loaded.
extern HINSTANCE AppInstance;
// Set by the wizard's finish page; read by the setup flow after the wizard closes.
extern int InstallRequested;
