// The platform calls whose libraries are loaded at run time, once the library search is
// restricted to the system folder: a static import would let the loader look beside the
// program for the libraries they pull in, before any code of ours runs. Only KERNEL32 is
// imported. Each is an entry point of the platform's own type (LateBound::MessageBoxA has
// the type of ::MessageBoxA), a slot filled by Bind, which until then ends the process.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <lzexpand.h>
#include <shellapi.h>

namespace LateBound {

// Messages and User are both USER32, bound apart.
// clang-format off
enum class Library : unsigned char { Messages, User, Graphics, Registry, Expansion, Controls,
                                     Shell, Count };
// clang-format on

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

// Loads `library` and looks up its functions of the table: ERROR_SUCCESS when all are
// there (at once when bound before), else Windows' reason.
DWORD Bind(Library library);
// Binds every library that the setup needs from its start: all but the shell.
DWORD BindForStartup();

}  // namespace LateBound
