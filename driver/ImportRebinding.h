// Rebinding of a program's imports from inside its own process, for the window-hook
// libraries that a test or a benchmark sets on the setup's thread: each slot of the
// program's import table that holds a named KERNEL32 function is made to lead to a
// replacement, which records the call and may go on to the function itself.
#pragma once

#include <windows.h>

#include <cstddef>

struct Rebinding {
    const char* name;
    FARPROC replacement;
};

// Rewrites every import slot of the module (the process's own program when null) that
// holds one of the KERNEL32 functions named.
void RebindImports(HMODULE module, const Rebinding* rebindings, size_t count);

template <size_t Count>
void RebindImports(const Rebinding (&rebindings)[Count], HMODULE module = nullptr)
{
    RebindImports(module, rebindings, Count);
}

// Points one slot elsewhere, through the page's protection.
void RewriteSlot(FARPROC* slot, FARPROC replacement);

// The hook procedure's body in such a library: `rebind` runs once, at the first message the
// hook sees on the setup's thread, and every message goes on to the next hook.
LRESULT RebindOnFirstMessage(void (*rebind)(), int code, WPARAM wParam, LPARAM lParam);
