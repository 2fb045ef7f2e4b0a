// The checks a device cabinet must pass before the setup carries it: a whole cabinet,
// stored or compressed, holding a Windows CE setup file for an ARM device, installed under
// a name its INI file's CabFiles gives, for the application its Component names.
#include "CabinetCheck.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "CabinetFiles.h"
#include "HostFiles.h"
#include "SetupFileReader.h"

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r"), last = s.find_last_not_of(" \t\r");
    return first == std::string::npos ? "" : s.substr(first, last - first + 1);
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of("/\\") + 1); }

// One key of one section of an INI file, both named case-insensitively; "" when absent.
std::string IniValue(const std::string& text, const std::string& section, const std::string& key)
{
    std::istringstream lines(text);
    bool inSection = false;
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        const size_t equals = line.find('=');
        if (!line.empty() && line.front() == '[' && line.back() == ']')
            inSection = Lower(line.substr(1, line.size() - 2)) == Lower(section);
        else if (inSection && equals != std::string::npos &&
                 Lower(Trim(line.substr(0, equals))) == Lower(key))
            return Trim(line.substr(equals + 1));
    }
    return "";
}

bool ListNames(const std::string& list, const std::string& name)
{
    std::istringstream names(list);
    for (std::string each; std::getline(names, each, ',');)
        if (Lower(Trim(each)) == Lower(name))
            return true;
    return false;
}

// A refusal: the file at fault and why.
std::string Refused(const std::string& file, const std::string& why) { return file + ": " + why; }

}  // namespace

std::string CheckCabinet(const std::string& cabinetPath, const std::string& iniPath,
                         const std::string& installedName)
{
    Bytes bytes;
    if (!ReadWholeFile(cabinetPath, bytes))
        return Refused(cabinetPath, "cannot be read");
    std::vector<CabinetFile> files;
    if (std::string reason = ExtractCabinet(std::move(bytes), files); !reason.empty())
        return Refused(cabinetPath, reason);
    // Names as the device's file system compares them: a second copy would replace the first.
    std::set<std::string> names;
    const CabinetFile* setupFile = nullptr;
    for (const CabinetFile& file : files) {
        const std::string name = Lower(file.name);
        if (!names.insert(name).second)
            return Refused(cabinetPath,
                           "holds two files named " + name + " (names compare without case)");
        if (!setupFile && name.size() > 4 && name.substr(name.size() - 4) == ".000")
            setupFile = &file;
    }
    if (!setupFile)
        return Refused(cabinetPath, "holds no Windows CE setup file (.000)");
    std::string appName;
    if (std::string reason = ReadSetupFile(setupFile->data, appName); !reason.empty())
        return Refused(cabinetPath, "setup file " + setupFile->name + " " + reason);

    std::string ini;
    if (!ReadWholeFile(iniPath, ini))
        return Refused(iniPath, "cannot be read");
    const std::string iniName = BaseName(iniPath);
    const std::string component = IniValue(ini, "CEAppManager", "Component");
    if (component.empty())
        return Refused(iniPath, "names no Component in [CEAppManager]");
    const std::string cabFiles = IniValue(ini, component, "CabFiles");
    if (cabFiles.empty())
        return Refused(iniPath, "gives no CabFiles in [" + component + "]");

    // CabFiles is relative to the INI file's folder, where the cabinet is extracted.
    if (!ListNames(cabFiles, installedName))
        return Refused(cabinetPath, "installed as " + installedName + ", a name that " + iniName +
                                        "'s CabFiles (" + cabFiles + ") does not give");
    if (Lower(appName) != Lower(component))
        return Refused(cabinetPath, "application name \"" + appName + "\" is not " + iniName +
                                        "'s Component \"" + component + "\"");
    return "";
}
