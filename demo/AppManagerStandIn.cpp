// Stands in for the Windows CE Application Manager: records what it was given and what
// the INI files it was given describe, then exits 0.
//
// The record goes to the file named by KORVANE_STANDIN_RECORD, else to CEAppMgr.record
// beside this program. With KORVANE_STANDIN_SHOW set (the demo on a display), it then
// shows what it would install in a small window. Each run appends a block of key=value lines
// between "run" and "end"; keys of an INI start with "ini", keys of one of its cabinets with "cab".
#include <windows.h>

#include <string>
#include <vector>

#include "driver/SetupWorld.h"
#include "driver/StandInSite.h"

namespace {

const char IniSection[] = "CEAppManager";
const char CabinetSignature[] = "MSCF";

std::string RecordPath()
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(StandInRecordVariable, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return path;
    return BinFolder() + "\\CEAppMgr.record";
}

// The command line without the program's own name.
std::string Arguments(const std::string& commandLine)
{
    size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        at = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find_first_of(" \t");
        if (at == std::string::npos)
            at = commandLine.size();
    }
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'))
        ++at;
    return commandLine.substr(at);
}

std::vector<std::string> QuotedPaths(const std::string& arguments)
{
    std::vector<std::string> paths;
    size_t open = arguments.find('"');
    while (open != std::string::npos) {
        size_t close = arguments.find('"', open + 1);
        if (close == std::string::npos)
            break;
        paths.push_back(arguments.substr(open + 1, close - open - 1));
        open = arguments.find('"', close + 1);
    }
    return paths;
}

std::string IniString(const std::string& ini, const std::string& section, const char* key)
{
    char value[1024];
    DWORD length =
        GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, ini.c_str());
    return std::string(value, length);
}

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

void RecordCabinet(std::string& record, const std::string& folder, const std::string& name)
{
    record += "cab=" + name + "\r\n";
    WIN32_FIND_DATAA found;
    // The file system compares names without regard to case.
    HANDLE search = FindFirstFileA((folder + "\\" + name).c_str(), &found);
    bool exists = search != INVALID_HANDLE_VALUE;
    if (exists)
        FindClose(search);
    record += std::string("cab.exists=") + (exists ? "1" : "0") + "\r\n";
    if (!exists)
        return;
    record += "cab.size=" + std::to_string(found.nFileSizeLow) + "\r\n";
    char head[4] = {};
    DWORD read = 0;
    HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, head, sizeof head, &read, nullptr);
        CloseHandle(file);
    }
    bool cabinet = read == sizeof head && memcmp(head, CabinetSignature, sizeof head) == 0;
    record += std::string("cab.mscf=") + (cabinet ? "1" : "0") + "\r\n";
}

void RecordIni(std::string& record, const std::string& ini)
{
    record += "ini=" + ini + "\r\n";
    bool exists = GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    record += std::string("ini.exists=") + (exists ? "1" : "0") + "\r\n";
    if (!exists)
        return;
    std::string component = IniString(ini, IniSection, "Component");
    record += "ini.version=" + IniString(ini, IniSection, "Version") + "\r\n";
    record += "ini.component=" + component + "\r\n";
    record += "ini.description=" + IniString(ini, component, "Description") + "\r\n";
    std::string cabFiles = IniString(ini, component, "CabFiles");
    record += "ini.cabfiles=" + cabFiles + "\r\n";
    std::string folder = ini.substr(0, ini.find_last_of('\\'));
    size_t start = 0;
    while (start <= cabFiles.size() && !cabFiles.empty()) {
        size_t comma = cabFiles.find(',', start);
        size_t end = comma == std::string::npos ? cabFiles.size() : comma;
        std::string name = Trimmed(cabFiles.substr(start, end - start));
        if (!name.empty())
            RecordCabinet(record, folder, name);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
}

// The demo's window: each component and its cabinet, as the real one would list them.
void ShowComponents(const std::string& arguments)
{
    std::string text = "The Application Manager would now install on your device:\r\n\r\n";
    for (const std::string& ini : QuotedPaths(arguments)) {
        std::string component = IniString(ini, IniSection, "Component");
        text += "  " + IniString(ini, component, "Description") + "  (" +
                IniString(ini, component, "CabFiles") + ")\r\n";
    }
    MessageBoxA(nullptr, text.c_str(), "Application Manager (stand-in)",
                MB_OK | MB_ICONINFORMATION);
}

// How the starter asked the window to be shown: the number it gave, or "default" when it
// gave none and the program picks.
std::string ShowState()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
        return "default";
    return std::to_string(startup.wShowWindow);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string commandLine = GetCommandLineA();
    std::string arguments = Arguments(commandLine);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);

    std::string record = "run\r\n";
    record += std::string("program=") + program + "\r\n";
    record += "commandline=" + commandLine + "\r\n";
    record += "arguments=" + arguments + "\r\n";
    record += std::string("directory=") + directory + "\r\n";
    record += "show=" + ShowState() + "\r\n";
    for (const std::string& ini : QuotedPaths(arguments))
        RecordIni(record, ini);
    record += "end\r\n";

    HANDLE file = CreateFileA(RecordPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    if (GetEnvironmentVariableA("KORVANE_STANDIN_SHOW", nullptr, 0))
        ShowComponents(arguments);
    return written == record.size() ? 0 : 1;
}
