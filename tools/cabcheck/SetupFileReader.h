// The Windows CE setup file (".000") as the device reads it before it installs a cabinet.
#pragma once

#include <string>

#include "CabinetFiles.h"

// Reads the setup file's application name, or gives why the device would refuse the file.
std::string ReadSetupFile(const Bytes& setup, std::string& appName);
