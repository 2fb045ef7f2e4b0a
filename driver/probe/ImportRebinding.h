// Rebinding of a program's calls from inside its own process, for the probe libraries that
// a test or the benchmark sets on the setup's thread: each slot through which the program
// calls a named KERNEL32 function (its import table), or a function it bound at run time
// (its own data), is made to lead to a replacement, which records the call and may go on
// to the function itself.
#pragma once

#include <windows.h>

#include <span>

struct Rebinding {
    const char* name;
    FARPROC replacement;
};

// Rewrites every import slot of the module (the process's own program when null) that
// holds one of the KERNEL32 functions named.
void RebindImports(std::span<const Rebinding> rebindings, HMODULE module = nullptr);

// Rewrites every slot in the writable sections of the process's own program that holds
// `target`: where the program keeps the functions it looked up at run time.
void RebindDataSlots(FARPROC target, FARPROC replacement);

// The hook procedure's body in such a library: `rebind` runs once, at the first message the
// hook sees on the setup's thread, and every message goes on to the next hook.
LRESULT RebindOnFirstMessage(void (*rebind)(), int code, WPARAM wParam, LPARAM lParam);
