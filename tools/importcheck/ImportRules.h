// The import check's rules: what a 32-bit Windows program imports, against the list of
// what it may import and the libraries of the oldest Windows it runs on.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "ProgramImage.h"

struct ImportFindings {
    std::string summary;  // what was checked
    std::vector<std::string> failures;
};

// The program's imports against `list` (lines "library function binding oldest-Windows")
// and the libraries of that name in `libraryFolder`.
ImportFindings CheckImports(const ProgramImage& program, std::istream& list,
                            const std::string& libraryFolder);
