// LateBound: the table's entry points, each library loaded once from the system folder.
#include "support/LateBound.h"

#include "support/SystemLibrary.h"
#include "support/SystemMessage.h"

namespace LateBound {

namespace {

// Where an entry point leads until bound: the process ends, as at a missing import.
void WINAPI Unbound() { ExitProcess(ERROR_PROC_NOT_FOUND); }

// The table as data: each slot's library, and the names in one string, NUL-separated.
#define LATE_BOUND(library, name) Library::library,
const Library Libraries[] = {
#include "support/LateBoundTable.h"
};
#undef LATE_BOUND
static_assert(sizeof Libraries * sizeof(void*) == sizeof(Entries));
#define LATE_BOUND(library, name) #name "\0"
const char Names[] =
#include "support/LateBoundTable.h"
    ;
#undef LATE_BOUND
const char* const LibraryFiles[] = {"user32.dll", "user32.dll",   "gdi32.dll",  "advapi32.dll",
                                    "lz32.dll",   "comctl32.dll", "shell32.dll"};
static_assert(sizeof LibraryFiles / sizeof LibraryFiles[0] == static_cast<int>(Library::Count));
HMODULE modules[static_cast<int>(Library::Count)];

// The common controls by bare name, for the manifest's side-by-side version 6, where the
// search is restricted to the system folder; elsewhere only the full system path is safe.
HMODULE Load(Library library)
{
    const char* file = LibraryFiles[static_cast<int>(library)];
    if (library == Library::Controls && LibrarySearchIsRestricted())
        return LoadLibraryA(file);
    return LoadSystemLibrary(file);
}

}  // namespace

#define LATE_BOUND(library, name) reinterpret_cast<decltype(&::name)>(&Unbound),
Entries Bound = {
#include "support/LateBoundTable.h"
};
#undef LATE_BOUND

DWORD Bind(Library library)
{
    HMODULE& module = modules[static_cast<int>(library)];
    if (module)
        return ERROR_SUCCESS;
    HMODULE loaded = Load(library);
    if (!loaded)
        return LastFailure();  // a path too long for the system folder sets no error
    // Entries holds nothing but the slots, one a row, so it is walked as an array.
    FARPROC* slot = reinterpret_cast<FARPROC*>(&Bound);
    const char* name = Names;
    for (Library row : Libraries) {
        FARPROC address = row == library ? GetProcAddress(loaded, name) : *slot;
        if (!address)
            return ERROR_PROC_NOT_FOUND;
        *slot++ = address;
        name += lstrlenA(name) + 1;
    }
    module = loaded;
    return ERROR_SUCCESS;
}

DWORD BindForStartup()
{
    const Library startup[] = {Library::Messages, Library::User,      Library::Graphics,
                               Library::Registry, Library::Expansion, Library::Controls};
    for (Library library : startup) {
        if (DWORD reason = Bind(library))
            return reason;
    }
    return ERROR_SUCCESS;
}

}  // namespace LateBound
