// The window hook procedure (WH_CALLWNDPROC) that each probe library defines and exports
// under the name HookProcedure (SharedNames.h): the system calls it on the setup's thread,
// inside the setup, for each message sent to a window there.
#pragma once

#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam);
