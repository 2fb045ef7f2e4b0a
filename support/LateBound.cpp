// LateBound: each library loaded once, on first use; the registry, LZ expansion, the common
// controls and the shell.
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
    case LateBound::Library::Registry:
        return LoadSystemLibrary("advapi32.dll");
    case LateBound::Library::Expansion:
        return LoadSystemLibrary("lz32.dll");
    case LateBound::Library::CommonControls:
        return LoadCommonControls();
    case LateBound::Library::Shell:
        return LoadSystemLibrary("shell32.dll");
    case LateBound::Library::Count:
        break;
    }
    return nullptr;
}

HMODULE libraries[static_cast<int>(LateBound::Library::Count)];

} // namespace

namespace LateBound {

FARPROC Find(Library library, const char* name)
{
    HMODULE& module = libraries[static_cast<int>(library)];
    if (!module)
        module = LoadLibraryOf(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

LSTATUS RegCreateKeyExA(HKEY root, LPCSTR path, DWORD reserved, LPSTR className, DWORD options,
                        REGSAM access, SECURITY_ATTRIBUTES* security, HKEY* key,
                        DWORD* disposition)
{
    return Call<decltype(&::RegCreateKeyExA)>(Library::Registry, "RegCreateKeyExA",
                                              ERROR_PROC_NOT_FOUND, root, path, reserved,
                                              className, options, access, security, key,
                                              disposition);
}

LSTATUS RegOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access, HKEY* key)
{
    return Call<decltype(&::RegOpenKeyExA)>(Library::Registry, "RegOpenKeyExA",
                                            ERROR_PROC_NOT_FOUND, root, path, options, access, key);
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                         DWORD* size)
{
    return Call<decltype(&::RegQueryValueExA)>(Library::Registry, "RegQueryValueExA",
                                               ERROR_PROC_NOT_FOUND, key, name, reserved, type,
                                               data, size);
}

LSTATUS RegCloseKey(HKEY key)
{
    return Call<decltype(&::RegCloseKey)>(Library::Registry, "RegCloseKey", ERROR_PROC_NOT_FOUND,
                                          key);
}

INT LZOpenFileA(LPSTR path, LPOFSTRUCT open, WORD style)
{
    return Call<decltype(&::LZOpenFileA)>(Library::Expansion, "LZOpenFileA",
                                          INT{LZERROR_BADINHANDLE}, path, open, style);
}

LONG LZCopy(INT source, INT target)
{
    return Call<decltype(&::LZCopy)>(Library::Expansion, "LZCopy", LONG{LZERROR_BADINHANDLE},
                                     source, target);
}

void LZClose(INT handle)
{
    if (auto call = reinterpret_cast<decltype(&::LZClose)>(
            reinterpret_cast<void*>(Find(Library::Expansion, "LZClose"))))
        call(handle);
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
