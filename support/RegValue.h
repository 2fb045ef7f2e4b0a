// RegValue: one value under a borrowed registry key, read as text.
#pragma once

#include <windows.h>

#include "support/TextString.h"

class RegValue : public BaseObject {
public:
    // The text must fit this buffer with its terminator: 511 characters at most.
    static constexpr DWORD BufferSize = 512;

    RegValue(HKEY key, const char* name);
    RegValue(const RegValue&) = delete;
    RegValue& operator=(const RegValue&) = delete;

    // The value's text, or the empty text when the read fails; sets the status and type.
    TextString GetString();

    LONG GetStatus() const { return status; }
    DWORD GetType() const { return type; }

private:
    HKEY key;
    LONG status = 0;
    DWORD type = REG_NONE;
    TextString name;
};
