// LoadSystemLibrary: the full system-folder path leaves the search order no say.
#include "SystemLibrary.h"

#include "TextString.h"

HMODULE LoadSystemLibrary(const char* fileName)
{
    TextString path;
    char* buffer = path.Reserve(MAX_PATH);
    if (!buffer)
        return nullptr;
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return nullptr;
    path.SetLength(static_cast<int>(length));
    path.Append("\\");
    path.Append(fileName);
    return LoadLibraryA(path.GetText());
}
