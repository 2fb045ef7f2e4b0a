// The root class of every class of the program: a virtual destructor and a heap
// that reports exhaustion by a null pointer instead of an exception.
#pragma once

#include <stddef.h>

#include "support/Heap.h"

class BaseObject {
public:
    BaseObject() = default;
    virtual ~BaseObject() = default;

    // noexcept makes the compiler test the block before constructing in it.
    static void* operator new(size_t size) noexcept { return AllocateBlock(size); }
    static void* operator new(size_t, void* block) noexcept { return block; }
    static void operator delete(void* block) noexcept { FreeBlock(block); }
    static void operator delete(void*, void*) noexcept {}
};
