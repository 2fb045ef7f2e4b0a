// Whether a device cabinet is one that the device would install from the Application
// Manager's INI file that names it.
#pragma once

#include <string>

// "" when the cabinet is acceptable, else one line "<file>: <reason>", the file being
// the cabinet or the INI file at fault. `installedName` is the name the cabinet is
// extracted under beside the INI file.
std::string CheckCabinet(const std::string& cabinetPath, const std::string& iniPath,
                         const std::string& installedName);
