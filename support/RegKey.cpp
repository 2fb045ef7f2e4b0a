// RegKey: create-or-open with full access; a key that cannot be reached reads as empty.
#include "support/RegKey.h"

#include "support/LateBound.h"

RegKey::RegKey(HKEY root, const char* path)
{
    status = LateBound::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &handle, &disposition);
    if (status != ERROR_SUCCESS)
        handle = nullptr;
}

RegKey::RegKey(HKEY root, const char* path, REGSAM view, ReadOnly)
{
    status = LateBound::RegOpenKeyExA(root, path, 0, KEY_READ | view, &handle);
    if (status != ERROR_SUCCESS)
        handle = nullptr;
}

RegKey::~RegKey()
{
    if (handle)
        LateBound::RegCloseKey(handle);
}
