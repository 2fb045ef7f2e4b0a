// How a late-bound call reaches its function: looked up by name in its library, which is
// loaded from the system folder on first use.
#pragma once

#include <windows.h>

#include <utility>

namespace LateBound {

enum class Library { User, Registry, Expansion, CommonControls, Shell, Count };

// The function's address, or null when the library or the function cannot be had.
FARPROC Find(Library library, const char* name);

// Calls the function `name` of `library`, typed as Function (the platform's own
// declaration, `decltype(&::Name)`), or answers `failure` when it cannot be had.
template <typename Function, typename... Arguments>
auto Call(Library library, const char* name,
          decltype(std::declval<Function>()(std::declval<Arguments>()...)) failure,
          Arguments... arguments)
{
    auto function = reinterpret_cast<Function>(reinterpret_cast<void*>(Find(library, name)));
    return function ? function(arguments...) : failure;
}

} // namespace LateBound
