// LateBound: each library loaded once, on first use; the common controls and the shell.
#include "LateBound.h"

#include "LateBoundCall.h"
#include "SystemLibrary.h"

namespace {

// The common controls by bare name, so that the manifest's side-by-side version 6 is
// found; with the search restricted, nothing else but the system folder is searched.
// Where the search could not be restricted, only the full system path is safe.
HMODULE LoadCommonControls()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    bool restricted = GetProcAddress(kernel, "SetDefaultDllDirectories") != nullptr;
    return restricted ? LoadLibraryA("comctl32.dll") : LoadSystemLibrary("comctl32.dll");
}

HMODULE LoadLibraryOf(LateBound::Library library)
{
    switch (library) {
    case LateBound::Library::User:
        return LoadSystemLibrary("user32.dll");
    case LateBound::Library::CommonControls:
        return LoadCommonControls();
    case LateBound::Library::Shell:
        return LoadSystemLibrary("shell32.dll");
    }
    return nullptr;
}

constexpr int LibraryCount = 3;
HMODULE libraries[LibraryCount];

} // namespace

namespace LateBound {

FARPROC Find(Library library, const char* name)
{
    HMODULE& module = libraries[static_cast<int>(library)];
    if (!module)
        module = LoadLibraryOf(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

void InitCommonControls()
{
    if (auto call = reinterpret_cast<decltype(&::InitCommonControls)>(
            reinterpret_cast<void*>(Find(Library::CommonControls, "InitCommonControls"))))
        call();
}

HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page)
{
    return Call<decltype(&::CreatePropertySheetPageA)>(Library::CommonControls,
                                                       "CreatePropertySheetPageA", nullptr, page);
}

INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header)
{
    return Call<decltype(&::PropertySheetA)>(Library::CommonControls, "PropertySheetA", -1,
                                             header);
}

BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info)
{
    return Call<decltype(&::ShellExecuteExA)>(Library::Shell, "ShellExecuteExA", FALSE, info);
}

} // namespace LateBound
