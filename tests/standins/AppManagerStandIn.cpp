// Stands in for the Windows CE Application Manager: records what it was given and what
// the INI files it was given describe, then exits 0. Each run appends its record (fields
// and layout in SharedNames.h) to the file that the stand-in's variable names, else to
// CEAppMgr.record beside this program; with the show variable set (the demo on a display)
// it then shows what it would install in a small window.
#include <windows.h>

#include <string>
#include <vector>

#include "driver/SetupWorld.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"
#include "tests/standins/CommandLine.h"

namespace {

const char IniSection[] = "CEAppManager";
const char CabinetSignature[] = "MSCF";

std::string Flag(bool set) { return set ? "1" : "0"; }

std::vector<std::string> QuotedPaths(const std::string& arguments)
{
    std::vector<std::string> paths;
    size_t open = arguments.find('"'), close = 0;
    while (open != std::string::npos &&
           (close = arguments.find('"', open + 1)) != std::string::npos) {
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

// The names of a comma-separated list, each without the blanks around it.
std::vector<std::string> ListNames(const std::string& list)
{
    std::vector<std::string> names;
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find(',', start);
        end = end == std::string::npos ? list.size() : end;
        const size_t first = list.find_first_not_of(" \t", start);
        if (first < end)
            names.push_back(list.substr(first, list.find_last_not_of(" \t", end - 1) + 1 - first));
        start = end + 1;
    }
    return names;
}

// The file system compares names without regard to case, as the Application Manager does.
void RecordCabinet(std::string& record, const std::string& folder, const std::string& name)
{
    const std::string path = folder + "\\" + name;
    record += RecordLine({FieldName(StandInField::Cab), name});
    record += RecordLine({FieldName(StandInField::CabExists),
                          Flag(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)});
    record += RecordLine({FieldName(StandInField::CabMscf),
                          Flag(ReadWholeFile(path).rfind(CabinetSignature, 0) == 0)});
}

void RecordIni(std::string& record, const std::string& ini)
{
    record += RecordLine({FieldName(StandInField::Ini), ini});
    const bool exists = GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES;
    record += RecordLine({FieldName(StandInField::IniExists), Flag(exists)});
    if (!exists)
        return;
    const std::string component = IniString(ini, IniSection, "Component");
    const std::string cabFiles = IniString(ini, component, "CabFiles");
    record +=
        RecordLine({FieldName(StandInField::IniVersion), IniString(ini, IniSection, "Version")});
    record += RecordLine({FieldName(StandInField::IniComponent), component});
    for (const std::string& name : ListNames(cabFiles))
        RecordCabinet(record, ini.substr(0, ini.find_last_of('\\')), name);
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
    return startup.dwFlags & STARTF_USESHOWWINDOW ? std::to_string(startup.wShowWindow) : "default";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string commandLine = GetCommandLineA();
    const std::string arguments = ArgumentsOf(commandLine);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);

    std::string record = RecordLine({FieldName(StandInField::Run)});
    record += RecordLine({FieldName(StandInField::Arguments), arguments});
    record += RecordLine({FieldName(StandInField::Directory), directory});
    record += RecordLine({FieldName(StandInField::Show), ShowState()});
    for (const std::string& ini : QuotedPaths(arguments))
        RecordIni(record, ini);
    record += RecordLine({FieldName(StandInField::End)});

    if (!GetEnvironmentVariableA(Variable::StandInRecord, nullptr, 0))
        SetEnvironmentVariableA(Variable::StandInRecord,
                                (BinFolder() + "\\CEAppMgr.record").c_str());
    if (!WriteRecord(Variable::StandInRecord, record))
        return 1;
    if (GetEnvironmentVariableA(Variable::StandInShow, nullptr, 0))
        ShowComponents(arguments);
    return 0;
}
