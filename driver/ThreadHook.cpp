// A window hook set on another process's thread.
#include "driver/ThreadHook.h"

#include "driver/SetupWorld.h"
#include "driver/probe/SharedNames.h"

ThreadHook::ThreadHook(const std::string& name, const char* procedure, int type, HWND window)
    : library(LoadLibraryA((BinFolder() + "\\" + name).c_str()))
{
    auto proc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, procedure)));
    if (proc)
        hook = SetWindowsHookExA(type, proc, library, GetWindowThreadProcessId(window, nullptr));
}

ThreadHook::ThreadHook(const char* probeLibrary, HWND window)
    : ThreadHook(probeLibrary, HookProcedure, WH_CALLWNDPROC, window)
{
}

ThreadHook::~ThreadHook()
{
    if (hook)
        UnhookWindowsHookEx(hook);
    if (library)
        FreeLibrary(library);
}
