// Every block the program allocates comes from the process heap: KERNEL32 has it on
// every Windows, where the C runtime's library is not part of the first Windows 95.
#pragma once

#include <windows.h>

#include "support/UniqueHandle.h"

inline void* AllocateBlock(size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

// A null block is ignored, like free's.
inline void FreeBlock(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

struct HeapBlockTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type block) { return block != nullptr; }
    static void Close(Type block) { FreeBlock(block); }
};
// The one owner of a block from AllocateBlock.
using HeapBlock = UniqueHandle<HeapBlockTraits>;
