// KERNEL32 functions that not every Windows has: looked up by name once the program runs,
// with the type of the platform's own declaration, so that the program still starts where
// one is missing.
#pragma once

#include <windows.h>

// The function `name` of KERNEL32, or null where this Windows lacks it.
template <class Function> Function* OptionalKernelFunction(const char* name)
{
    FARPROC address = GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(address));
}
