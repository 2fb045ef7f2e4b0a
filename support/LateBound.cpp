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

#define LATE_BOUND(library, name) \
    decltype(&::name) name = reinterpret_cast<decltype(&::name)>(&Unbound);
#include "support/LateBoundTable.h"
#undef LATE_BOUND

namespace {

// The table again, as data: each entry point's library and variable, in table order,
// and the names one after another, each ended by its NUL (one string, not one pointer a
// name, keeps the table free of relocations).
struct Row {
    Library library;
    void* entry;
};

#define LATE_BOUND(library, name) {Library::library, &name},
const Row Table[] = {
#include "support/LateBoundTable.h"
};
#undef LATE_BOUND

#define LATE_BOUND(library, name) #name "\0"
const char Names[] =
#include "support/LateBoundTable.h"
    ;
#undef LATE_BOUND

const char* const LibraryFiles[] = {"user32.dll", "user32.dll",   "advapi32.dll",
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
    const char* name = Names;
    for (const Row& row : Table) {
        if (row.library == library) {
            FARPROC address = GetProcAddress(loaded, name);
            if (!address)
                return false;  // ERROR_PROC_NOT_FOUND
            CopyMemory(row.entry, &address, sizeof address);
        }
        name += lstrlenA(name) + 1;
    }
    module = loaded;
    return true;
}

bool BindForStartup()
{
    return Bind(Library::Messages) && Bind(Library::User) && Bind(Library::Registry) &&
           Bind(Library::Expansion) && Bind(Library::CommonControls);
}

} // namespace LateBound
