// Helpers for tests that run for real under Wine.
#include "TestSupport.h"

#include <shellapi.h>

#include "AppManager.h"

namespace {

constexpr DWORD PollMs = 50;
constexpr UINT MessageTimeoutMs = 2000;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

} // namespace

std::string BinFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "";
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFileEnding(const std::string& path, const std::string& ending, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += PollMs) {
        std::string content = ReadWholeFile(path);
        if (content.size() >= ending.size() &&
            content.compare(content.size() - ending.size(), ending.size(), ending) == 0)
            return true;
        if (waited >= timeoutMs)
            return false;
        Sleep(PollMs);
    }
}

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter;
    path = std::string(base) + "korvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
    CreateDirectoryA(path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    std::string from = path + std::string(1, '\0');  // the list ends in two NULs
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

AppPathsEntry::AppPathsEntry() { Remove(); }
AppPathsEntry::~AppPathsEntry() { Remove(); }

void AppPathsEntry::Set(DWORD type, const void* data, DWORD size, REGSAM view)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, AppManagerKeyPath, 0, nullptr, 0,
                        KEY_ALL_ACCESS | view, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void AppPathsEntry::SetText(const std::string& text, REGSAM view, DWORD type)
{
    Set(type, text.c_str(), static_cast<DWORD>(text.size() + 1), view);
}

void AppPathsEntry::Remove()
{
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(KEY_WOW64_64KEY)}) {
        HKEY parent = nullptr;
        std::string path = AppManagerKeyPath;
        std::string parentPath = path.substr(0, path.find_last_of('\\'));
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0, KEY_ALL_ACCESS | view,
                          &parent) != ERROR_SUCCESS)
            continue;
        RegDeleteKeyA(parent, "CEAppMgr.exe");
        RegCloseKey(parent);
    }
}

namespace {

bool QueryKey(REGSAM view, DWORD* subkeys, DWORD* values)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AppManagerKeyPath, 0, KEY_READ | view, &key) !=
        ERROR_SUCCESS)
        return false;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return true;
}

} // namespace

bool AppPathsEntry::Exists(REGSAM view)
{
    DWORD subkeys, values;
    return QueryKey(view, &subkeys, &values);
}

DWORD AppPathsEntry::ValueCount(REGSAM view)
{
    DWORD subkeys = 0, values = 0;
    QueryKey(view, &subkeys, &values);
    return values;
}

DWORD AppPathsEntry::SubkeyCount(REGSAM view)
{
    DWORD subkeys = 0, values = 0;
    QueryKey(view, &subkeys, &values);
    return subkeys;
}

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
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(previous.c_str()),
                   static_cast<DWORD>(previous.size() + 1));
    RegCloseKey(handle);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name(name)
{
    SetEnvironmentVariableA(name, value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironmentVariableA(name.c_str(), nullptr); }

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string content = ReadWholeFile(path);
    for (size_t start = 0; start < content.size();) {
        size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
            end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments,
                           const std::string& directory)
{
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info))
        info = {};
}

ChildProcess::~ChildProcess()
{
    if (!info.hProcess)
        return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!info.hProcess || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

std::vector<HWND> VisibleTopWindows(DWORD processId)
{
    WindowSearch search = {processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += PollMs) {
        for (HWND window : VisibleTopWindows(processId)) {
            char found[256] = {};
            GetClassNameA(window, found, sizeof found);
            if ((!className || lstrcmpA(found, className) == 0) &&
                (!title || WindowText(window) == title))
                return window;
        }
        if (waited >= timeoutMs)
            return nullptr;
        Sleep(PollMs);
    }
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                             &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

bool PressButton(HWND button)
{
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button))
        return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

MessageBoxSeen AnswerMessageBox(DWORD processId, DWORD timeoutMs, HANDLE stop)
{
    // Control ids of the platform's message box.
    const int textId = 0xFFFF;
    const int iconId = 0x440;
    MessageBoxSeen seen;
    for (DWORD waited = 0; waited < timeoutMs; waited += PollMs) {
        HWND box = nullptr;
        for (HWND window : VisibleTopWindows(processId)) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, textId))
                box = window;
        }
        if (box) {
            seen.shown = true;
            seen.caption = WindowText(box);
            seen.text = WindowText(GetDlgItem(box, textId));
            // Wine keeps the icon control of a box without icon, but empty.
            HWND icon = GetDlgItem(box, iconId);
            DWORD_PTR shown = 0;
            seen.icon = icon && IsWindowVisible(icon) &&
                        SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG,
                                            MessageTimeoutMs, &shown) &&
                        shown != 0;
            PressButton(GetDlgItem(box, IDOK));
            return seen;
        }
        if (stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0)
            break;
        Sleep(PollMs);
    }
    return seen;
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
    return names;
}

std::string StandInRun::Value(const std::string& key) const
{
    for (const auto& line : lines)
        if (line.first == key)
            return line.second;
    return "<no " + key + ">";
}

std::vector<std::string> StandInRun::Values(const std::string& key) const
{
    std::vector<std::string> values;
    for (const auto& line : lines)
        if (line.first == key)
            values.push_back(line.second);
    return values;
}

std::vector<StandInRun> ReadStandInRecord(const std::string& path)
{
    std::vector<StandInRun> runs;
    std::string content = ReadWholeFile(path);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find("\r\n", start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 2;
        if (line == "run") {
            runs.emplace_back();
        } else if (!runs.empty() && line != "end") {
            size_t equals = line.find('=');
            runs.back().lines.emplace_back(line.substr(0, equals),
                                           equals == std::string::npos ? "" : line.substr(equals + 1));
        }
    }
    return runs;
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
