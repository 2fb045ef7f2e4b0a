// Making sure that the install folder exists before the payload goes into it.
#pragma once

#include <windows.h>

#include "support/TextString.h"

// True when the folder exists on return (it existed, or it was created with its missing
// parents); false after telling the user, in a box owned by `owner`, why not.
bool PrepareInstallFolder(const char* path, HWND owner);

// Whether a folder (not a file) bears the name.
bool IsFolder(const TextString& path);

// Creates one folder whose parent exists: ERROR_SUCCESS when it is a folder on return,
// else Windows' reason.
DWORD CreateFolderLevel(const TextString& path);

// Creates the folder and every missing parent, silently; true when it is a folder on
// return. On false, `reason` says why the last attempt failed.
bool CreateFolderWithParents(TextString path, DWORD& reason);
