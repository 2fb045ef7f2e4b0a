// The platform calls whose libraries are loaded at run time, after the library search has
// been restricted to the system folder: USER32, ADVAPI32, the common controls and the
// shell pull in further libraries (version, the theme library, the input method library)
// that a static import would let the loader look for beside the program, before any code
// of ours runs, and LZ32 is no known library that Windows takes from the system folder
// whatever the search. Only KERNEL32 is imported.
//
// Each function is an entry point of the platform's own type (LateBound::MessageBoxA has
// the type of ::MessageBoxA), a slot of Entries filled by Bind. Until then it leads to a
// stop that ends the process, so a call before binding never runs astray.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <lzexpand.h>
#include <shellapi.h>

namespace LateBound {

// Messages and User are both USER32, bound apart.
enum class Library : unsigned char { Messages, User, Graphics, Registry, Expansion,
                                     CommonControls, Shell, Count };

// The slots, in table order; each is named in the namespace by its function's name.
struct Entries {
#define LATE_BOUND(library, name) decltype(&::name) name;
#include "support/LateBoundTable.h"
#undef LATE_BOUND
};
extern Entries Bound;

#define LATE_BOUND(library, name) inline constexpr auto& name = Bound.name;
#include "support/LateBoundTable.h"
#undef LATE_BOUND

// Loads `library` and looks up every function of it in the table; true when all are
// there (at once when bound before). False with Windows' reason in GetLastError.
bool Bind(Library library);

// Binds every library that the setup needs from its start: all but the shell.
bool BindForStartup();

} // namespace LateBound
