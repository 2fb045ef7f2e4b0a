// ResourceData: find, load and lock at once; the module image owns the bytes.
#include "support/ResourceData.h"

ResourceData::ResourceData(HMODULE module, LPCSTR name, LPCSTR type) : module(module)
{
    info = FindResourceA(module, name, type);
    loaded = LoadResource(module, info);
    data = static_cast<const BYTE*>(LockResource(loaded));
}

ResourceData::~ResourceData()
{
    // Resource memory belongs to the module image; there is nothing to free.
    data = nullptr;
    module = nullptr;
}
