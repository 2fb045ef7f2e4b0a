// RegKey: one open registry key, reached by create-or-open with full access.
#pragma once

#include <windows.h>

#include "support/RegValue.h"

class RegKey : public BaseObject {
public:
    // Creates the subkey (and missing parents) or opens it for all access.
    RegKey(HKEY root, const char* path);
    // Opens an existing subkey for reading only, in the registry view that `view` names
    // (0: the program's own); never creates it.
    static RegKey OpenForReading(HKEY root, const char* path, REGSAM view = 0)
    {
        return RegKey(root, path, view, ReadOnly());
    }
    ~RegKey() override;

    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // A value under this key; the empty text names the default value.
    RegValue Value(const char* name) const { return RegValue(handle, name); }

    HKEY GetHandle() const { return handle; }
    LONG GetStatus() const { return status; }
    DWORD GetDisposition() const { return disposition; }

private:
    struct ReadOnly {};
    RegKey(HKEY root, const char* path, REGSAM view, ReadOnly);

    HKEY handle = nullptr;
    DWORD disposition = 0;
    LONG status = 0;
};
