// The GUI entry point: hands the run to the one application object.
#include <windows.h>

#include "app/ProcessState.h"
#include "app/framework/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return RunApplication(*CurrentApplication, instance, commandLine, showCommand);
}
