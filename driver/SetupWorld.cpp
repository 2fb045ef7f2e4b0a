// The world around the setup that a test, the demo or a benchmark arranges: files and
// folders, the Application Manager's App Paths entry, the environment.
#include "driver/SetupWorld.h"

#include <shellapi.h>

#include "driver/SetupFacts.h"
#include "driver/WideText.h"

namespace {

constexpr int MaxNameTries = 1000;

}  // namespace

std::string BinFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string SetupExe() { return BinFolder() + "\\KorvaneSetup.exe"; }
std::string StandInExe() { return BinFolder() + "\\CEAppMgr.exe"; }

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyFileUtf8(const std::string& from, const std::string& to)
{
    return CopyFileW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), FALSE) != FALSE;
}

bool CreateFolderUtf8(const std::string& path)
{
    return CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr) != FALSE;
}

TempFolder::TempFolder(const std::string& under)
{
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::string base = under.empty() ? Utf8FromWide(temporary) : under + "\\";
    // Wine hands out the same process ids again in each new session, so a folder left by
    // a run that was ended early may bear this name: a name taken is passed over.
    static unsigned counter;
    for (int tries = 0; tries < MaxNameTries; ++tries) {
        path = base + "korvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++counter);
        if (CreateFolderUtf8(path))
            return;
    }
}

void DeleteTree(const std::string& path)
{
    // The W operation: the tree may hold names that the ANSI code page cannot spell.
    std::wstring from = WideFromUtf8(path) + L'\0';  // the list ends in two NULs
    SHFILEOPSTRUCTW operation = {.wFunc = FO_DELETE,
                                 .pFrom = from.c_str(),
                                 .fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT};
    SHFileOperationW(&operation);
}

TempFolder::~TempFolder() { DeleteTree(path); }

AppPathsEntry::AppPathsEntry() { Remove(); }
AppPathsEntry::~AppPathsEntry() { Remove(); }

void AppPathsEntry::SetText(const std::string& text, REGSAM view, DWORD type)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, AppManagerEntryPath, 0, nullptr, 0,
                        KEY_ALL_ACCESS | view, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "", 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void AppPathsEntry::Remove()
{
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(KEY_WOW64_64KEY)})
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, AppManagerEntryPath, view, 0);
}

bool AppPathsEntry::Exists(REGSAM view) { return Content(view) != NoEntry; }

DWORD AppPathsEntry::Content(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AppManagerEntryPath, 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS)
        return NoEntry;
    DWORD subkeys = 0, values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return subkeys + values;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name(name)
{
    SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironmentVariableA(name.c_str(), nullptr); }
