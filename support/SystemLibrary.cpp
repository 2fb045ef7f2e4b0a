// The system folder as the only place libraries come from. SetDefaultDllDirectories is
// looked up at run time, so the program still starts on a Windows without it.
#include "support/SystemLibrary.h"

#include "support/OptionalFunction.h"
#include "support/TextString.h"

namespace {

constexpr DWORD SearchSystemFolder = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// Libraries that the common controls and the shell load by bare name, some of them
// delay-loaded (Wine's common controls load msimg32 for AlphaBlend while painting, by a
// search that ignores the restriction). Where the search cannot be restricted (a Windows without
// SetDefaultDllDirectories keeps the program's own folder first), they would be looked
// for beside the program; loaded from the system folder at start-up, they are found
// already loaded whenever they are asked for by name. The ones with fewest imports of
// their own come first, so that each one's imports are found loaded already.
const char* const PinnedLibraries[] = {"version.dll", "cryptbase.dll", "dwmapi.dll", "msimg32.dll",
                                       "uxtheme.dll"};

bool restricted = false;

void RestrictSearchToSystemFolder()
{
    auto setDefault =
        OptionalKernelFunction<decltype(::SetDefaultDllDirectories)>("SetDefaultDllDirectories");
    restricted = setDefault && setDefault(SearchSystemFolder);
    if (restricted)
        return;
    // Older systems: at least the current folder leaves the search.
    auto setDirectory = OptionalKernelFunction<decltype(::SetDllDirectoryA)>("SetDllDirectoryA");
    if (setDirectory)
        setDirectory("");
}

}  // namespace

void RestrictLibrarySearch()
{
    RestrictSearchToSystemFolder();
    for (const char* library : PinnedLibraries)
        LoadSystemLibrary(library);  // a library this Windows lacks is simply not there
}

bool LibrarySearchIsRestricted() { return restricted; }

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
