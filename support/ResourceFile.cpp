// WriteResourceToFile: straight from the module image, in one write. No write-through: a
// caller that needs the bytes on the disk flushes what it publishes itself.
#include "support/ResourceFile.h"

#include "support/UniqueHandle.h"

namespace {

HANDLE CreatePlainFile(const char* path)
{
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

bool WriteResourceToFile(const char* path, HMODULE module, LPCSTR name, LPCSTR type,
                         DWORD& reason)
{
    HRSRC info = FindResourceA(module, name, type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    if (!loaded) {
        reason = GetLastError();
        return false;  // the file is not touched
    }
    DWORD size = SizeofResource(module, info);
    const void* bytes = LockResource(loaded);

    FileHandle file(CreatePlainFile(path));
    if (!file.IsValid() && GetLastError() == ERROR_ACCESS_DENIED) {
        // A read-only, hidden or system file is replaced once it is made plain; a new file
        // needs no such call.
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        file = FileHandle(CreatePlainFile(path));
    }
    if (!file.IsValid()) {
        reason = GetLastError();
        return false;
    }
    DWORD written = 0;
    BOOL wrote = WriteFile(file.Get(), bytes, size, &written, nullptr);
    if (wrote && written == size)
        return true;
    reason = wrote ? ERROR_HANDLE_DISK_FULL : GetLastError();  // short: no room for the rest
    return false;
}
