// The system folder as the only place libraries come from. SetDefaultDllDirectories is
// looked up at run time, so the program still starts on a Windows without it.
#include "SystemLibrary.h"

#include "TextString.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
constexpr DWORD SearchSystemFolder = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

} // namespace

void RestrictLibrarySearch()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault && setDefault(SearchSystemFolder))
        return;
    // Older systems: at least the current folder leaves the search.
    auto setDirectory = reinterpret_cast<SetDllDirectoryFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA")));
    if (setDirectory)
        setDirectory("");
}

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
