// UniqueHandle: the one owner of a platform handle, closed exactly once. Move-only; the
// traits name the handle's type, its invalid value and how it is closed.
#pragma once

#include <windows.h>

template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) : handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other)
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type Get() const { return handle; }
    bool IsValid() const { return Traits::IsValid(handle); }
    Type Release()
    {
        Type released = handle;
        handle = Traits::Invalid();
        return released;
    }
    void Reset(Type replacement = Traits::Invalid())
    {
        if (Traits::IsValid(handle))
            Traits::Close(handle);
        handle = replacement;
    }

private:
    Type handle = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};

// Kernel objects (mappings, events) answer failure with null, not INVALID_HANDLE_VALUE.
struct ObjectHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using ObjectHandle = UniqueHandle<ObjectHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
