// LateBound: each library loaded once, on first use.
#include "LateBound.h"

#include "SystemLibrary.h"

namespace {

HMODULE commonControls;
HMODULE shell;

// The common controls by bare name, so that the manifest's side-by-side version 6 is
// found; with the search restricted, nothing else but the system folder is searched.
// Where the search could not be restricted, only the full system path is safe.
HMODULE CommonControls()
{
    if (!commonControls) {
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        bool restricted = GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
        commonControls = restricted ? LoadLibraryA("comctl32.dll") : LoadSystemLibrary("comctl32.dll");
    }
    return commonControls;
}

HMODULE Shell()
{
    if (!shell)
        shell = LoadSystemLibrary("shell32.dll");
    return shell;
}

template <typename Function>
Function Resolve(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace

namespace LateBound {

void InitCommonControls()
{
    if (auto call = Resolve<void(WINAPI*)()>(CommonControls(), "InitCommonControls"))
        call();
}

HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page)
{
    auto call = Resolve<HPROPSHEETPAGE(WINAPI*)(LPCPROPSHEETPAGEA)>(CommonControls(),
                                                                   "CreatePropertySheetPageA");
    return call ? call(page) : nullptr;
}

INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header)
{
    auto call = Resolve<INT_PTR(WINAPI*)(LPCPROPSHEETHEADERA)>(CommonControls(), "PropertySheetA");
    return call ? call(header) : -1;
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info)
{
    auto call = Resolve<BOOL(WINAPI*)(SHELLEXECUTEINFOA*)>(Shell(), "ShellExecuteExA");
    return call ? call(info) : FALSE;
}

} // namespace LateBound
