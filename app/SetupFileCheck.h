// Whether the setup's file is the one that was built: any byte changed, missing or added
// fails it, in code, resources, payload or headers, before any window opens. A damaged
// download must never hand a damaged payload to the Application Manager. A file that
// cannot be read at all is not called damaged: downloading again would not help.
#pragma once

#include <windows.h>

// Checks the file at `path` against its trailer and its PE checksum.
bool SetupFileIsIntact(const char* path);

// Checks the program's own file, opened by its Unicode path where Windows has one:
// ERROR_SUCCESS when it is whole, ContentFault when it is damaged, else Windows' reason
// why it cannot be read.
DWORD CheckOwnFile();
