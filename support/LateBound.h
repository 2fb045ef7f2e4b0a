// The platform calls whose libraries are loaded at run time, after the library search has
// been restricted to the system folder: the common controls and the shell pull in further
// libraries (the theme library among them) that a static import would let the loader look
// for beside the program. Same names and results as the platform's own; a library or
// function that cannot be had answers with the call's failure result.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace LateBound {

void InitCommonControls();
HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page);
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);

} // namespace LateBound
