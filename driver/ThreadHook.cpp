// A window hook set on another process's thread.
#include "driver/ThreadHook.h"

#include "driver/SetupWorld.h"
#include "driver/probe/SharedNames.h"

ThreadHook::ThreadHook(const char* probeLibrary, HWND window)
    : library(LoadLibraryA((BinFolder() + "\\" + probeLibrary).c_str()))
{
    auto proc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, HookProcedure)));
    if (proc)
        hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, library,
                                 GetWindowThreadProcessId(window, nullptr));
}

ThreadHook::~ThreadHook()
{
    if (hook)
        UnhookWindowsHookEx(hook);
    if (library)
        FreeLibrary(library);
}
