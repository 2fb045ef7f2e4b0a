// The messages of the installation: OK only, no icon, the application title as caption.
#pragma once

#include <windows.h>

// Shows string `stringId`, and under it Windows' own words for `reason` when there is one
// (ERROR_SUCCESS: no reason known).
void ShowInstallMessage(HWND owner, unsigned stringId, DWORD reason = ERROR_SUCCESS);
