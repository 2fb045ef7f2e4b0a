// The messages of the installation: OK only, no icon, the application title as caption.
#pragma once

#include <windows.h>

void ShowInstallMessage(HWND owner, unsigned stringId);
