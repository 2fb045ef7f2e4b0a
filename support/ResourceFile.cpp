// WriteResourceToFile: straight from the module image, in one write. No write-through: a
// caller that needs the bytes on the disk flushes what it publishes itself.
#include "support/ResourceFile.h"

#include "support/UniqueHandle.h"

bool WriteResourceToFile(const char* path, HMODULE module, LPCSTR name, LPCSTR type, DWORD& reason)
{
    HRSRC info = FindResourceA(module, name, type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    if (!loaded) {
        reason = GetLastError();
        return false;  // the file is not touched
    }
    DWORD size = SizeofResource(module, info);
    const void* bytes = LockResource(loaded);

    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);  // fails harmlessly for a new file
    FileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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
