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

// RegSetKeyValueA makes the key first where it is missing.
WineAppDefault::WineAppDefault(const std::string& program, const std::string& subkey,
                               const char* name, const char* value)
    : key("Software\\Wine\\AppDefaults\\" + program)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, (subkey.empty() ? key : key + "\\" + subkey).c_str(), name,
                    REG_SZ, value, lstrlenA(value) + 1);
}

WineAppDefault::~WineAppDefault() { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

SchemeHandler::SchemeHandler(const std::string& scheme, const std::string& program)
    : key("Software\\Classes\\" + scheme + "\\shell\\open\\command")
{
    char old[1024] = {};
    DWORD size = sizeof old;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "", RRF_RT_REG_SZ, nullptr, old, &size) ==
        ERROR_SUCCESS)
        previous = old;
    const std::string command = "\"" + program + "\" \"%1\"";
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "", REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
}

SchemeHandler::~SchemeHandler()
{
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "", REG_SZ, previous.c_str(),
                    static_cast<DWORD>(previous.size() + 1));
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
