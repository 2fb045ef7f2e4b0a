// A window hook from a library beside the running program, set on the thread of another
// process's window: the system loads the library into that process and calls the hook
// there, so it can read what only that process can (fonts, device contexts, texts given).
#pragma once

#include <windows.h>

class ThreadHook {
public:
    // Sets the hook procedure of a probe library (SharedNames.h), which lies in the program's
    // folder, on the thread of `window`.
    ThreadHook(const char* probeLibrary, HWND window);
    ~ThreadHook();
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;

    bool Set() const { return hook != nullptr; }

private:
    HMODULE library;
    HHOOK hook = nullptr;
};
