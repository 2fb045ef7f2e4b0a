// The steps of the program's start-up before the static objects exist, each in a file of
// its own; the runtime's replacement (RuntimeStartup.cpp) takes them in order.
#pragma once

#include <windows.h>

// Ends the process with `exitCode`, having shown string `stringId` and Windows' reason
// under it (ERROR_SUCCESS: none) where the message functions can be had.
[[noreturn]] void EndWithMessage(unsigned stringId, DWORD reason, int exitCode);

// Ends the setup, with a message, when its own file is not the one built or cannot be read.
void CheckOwnFileOrEnd();

// Binds every library the setup needs from its start, or ends it with a message.
void BindLibrariesOrEnd();
