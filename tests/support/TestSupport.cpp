// Helpers that only the tests need.
#include "tests/support/TestSupport.h"

#include <algorithm>

#include "support/LateBound.h"

namespace {

// The product's code in this process calls the platform through its late-bound entry
// points, bound as the setup's own start-up binds them, before any test runs.
const bool PlatformBound = LateBound::BindForStartup() == ERROR_SUCCESS &&
                           LateBound::Bind(LateBound::Library::Shell) == ERROR_SUCCESS;

}  // namespace

WineAppDefault::WineAppDefault(const std::string& program, const std::string& subkey,
                               const char* name, const char* value)
    : key("Software\\Wine\\AppDefaults\\" + program)
{
    HKEY handle = nullptr;
    std::string path = subkey.empty() ? key : key + "\\" + subkey;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &handle, nullptr);
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   lstrlenA(value) + 1);
    RegCloseKey(handle);
}

WineAppDefault::~WineAppDefault() { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

SchemeHandler::SchemeHandler(const std::string& scheme, const std::string& program)
    : key("Software\\Classes\\" + scheme + "\\shell\\open\\command")
{
    HKEY handle = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &handle, nullptr);
    char old[1024] = {};
    DWORD size = sizeof old - 1;
    if (RegQueryValueExA(handle, "", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS)
        previous = old;
    std::string command = "\"" + program + "\" \"%1\"";
    RegSetValueExA(handle, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(handle);
}

SchemeHandler::~SchemeHandler()
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous.c_str()),
                   static_cast<DWORD>(previous.size() + 1));
    RegCloseKey(handle);
}

std::vector<std::string> FolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool UnderWow64()
{
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

extern "C" LONG NTAPI NtDeleteKey(HANDLE key);

void SeparateAppPathsViews()
{
    const char linkPath[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths";
    HKEY link = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, linkPath, REG_OPTION_OPEN_LINK,
                      KEY_QUERY_VALUE | DELETE | KEY_WOW64_64KEY, &link) == ERROR_SUCCESS) {
        if (RegQueryValueExA(link, "SymbolicLinkValue", nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            NtDeleteKey(link);
        RegCloseKey(link);
    }
    HKEY own = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, linkPath, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                    nullptr, &own, nullptr);
    RegCloseKey(own);
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string SecondLine(const std::string& text)
{
    size_t end = text.find('\n');
    return end == std::string::npos ? "" : text.substr(end + 1);
}

std::string ScreenshotFolder()
{
    std::string bin = BinFolder();
    std::string folder = bin.substr(0, bin.find_last_of('\\')) + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
