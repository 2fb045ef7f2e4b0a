// LateBound: the table's entry points, each library loaded once from the system folder.
#include "support/LateBound.h"

#include "support/SystemLibrary.h"

namespace LateBound {

namespace {

// Where every entry point leads until it is bound: the process ends, as it would at a
// missing import, rather than jump to nowhere.
void WINAPI Unbound()
{
    ExitProcess(ERROR_PROC_NOT_FOUND);
}

} // namespace

#define LATE_BOUND(library, name) reinterpret_cast<decltype(&::name)>(&Unbound),
Entries Bound = {
#include "support/LateBoundTable.h"
};
#undef LATE_BOUND

namespace {

// The table again, as data: each slot's library, and the names one after another, each
// ended by its NUL (one string, not one pointer a name, keeps the table free of
// relocations).
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
static_assert(sizeof LibraryFiles / sizeof LibraryFiles[0] ==
              static_cast<int>(Library::Count));

HMODULE modules[static_cast<int>(Library::Count)];

// The common controls by bare name, so that the manifest's side-by-side version 6 is
// found; with the search restricted, nothing else but the system folder is searched.
// Where it could not be restricted, only the full system path is safe.
HMODULE Load(Library library)
{
    const char* file = LibraryFiles[static_cast<int>(library)];
    if (library == Library::CommonControls && LibrarySearchIsRestricted())
        return LoadLibraryA(file);
    return LoadSystemLibrary(file);
}

} // namespace

bool Bind(Library library)
{
    HMODULE& module = modules[static_cast<int>(library)];
    if (module)
        return true;
    HMODULE loaded = Load(library);
    if (!loaded)
        return false;
    // Entries holds nothing but the slots, one a row, so it is walked as an array.
    FARPROC* slots = reinterpret_cast<FARPROC*>(&Bound);
    const char* name = Names;
    for (Library row : Libraries) {
        if (row == library) {
            FARPROC address = GetProcAddress(loaded, name);
            if (!address)
                return false;  // ERROR_PROC_NOT_FOUND
            *slots = address;
        }
        ++slots;
        name += lstrlenA(name) + 1;
    }
    module = loaded;
    return true;
}

bool BindForStartup()
{
    return Bind(Library::Messages) && Bind(Library::User) && Bind(Library::Graphics) &&
           Bind(Library::Registry) && Bind(Library::Expansion) && Bind(Library::CommonControls);
}

} // namespace LateBound
