// ResourceData: a read-only view of one resource's bytes, in place in the module image.
#pragma once

#include <windows.h>

#include "support/BaseObject.h"

class ResourceData : public BaseObject {
public:
    // name and type are texts or MAKEINTRESOURCE ids. A missing resource gives null data.
    ResourceData(HMODULE module, LPCSTR name, LPCSTR type);
    ~ResourceData() override;
    ResourceData(const ResourceData&) = delete;
    ResourceData& operator=(const ResourceData&) = delete;

    const BYTE* GetData() const { return data; }
    // The resource's size in bytes; 0 when it was not found. The bytes carry no terminator.
    DWORD GetSize() const { return data ? SizeofResource(module, info) : 0; }

private:
    const BYTE* data;
    HGLOBAL loaded;
    HRSRC info;
    HMODULE module;
};
