// Loading a library from the Windows system folder only, never from the program's
// folder or the current one, where a planted copy could wait.
#pragma once

#include <windows.h>

HMODULE LoadSystemLibrary(const char* fileName);
