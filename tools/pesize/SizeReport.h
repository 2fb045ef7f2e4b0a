// Where the bytes of a Windows program go: the file, each section's data, the resources by
// type; the resources of the payload's types, and what is left, the program's overhead.
#pragma once

#include <string>
#include <vector>

#include "ProgramImage.h"

// The report as printed, one figure a line ("file", "section X", "resource X", "payload",
// "overhead"), the types in `payloadTypes` counted as the payload.
std::string SizeReport(const ProgramImage& program, const std::vector<std::string>& payloadTypes);
