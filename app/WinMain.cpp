// The GUI entry point: hands the run to the one application object.
#include <windows.h>

#include "Application.h"
#include "ProcessState.h"
#include "SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    RestrictLibrarySearch();
    return RunApplication(*CurrentApplication, instance, commandLine, showCommand);
}
