// Libraries come from the Windows system folder only, never from the program's folder or
// the current one, where a planted copy could wait: a setup runs from a Downloads folder,
// with administrator rights.
#pragma once

#include <windows.h>

// Restricts every later library search of the process to the system folder (and to
// side-by-side assemblies), where the platform can, and loads from there the libraries
// that the platform's own libraries ask for by name; first thing at start-up.
void RestrictLibrarySearch();

// Whether RestrictLibrarySearch confined the search to the system folder; false on a
// Windows without SetDefaultDllDirectories, where the program's folder stays first.
bool LibrarySearchIsRestricted();

// Loads a library by its full system-folder path.
HMODULE LoadSystemLibrary(const char* fileName);
