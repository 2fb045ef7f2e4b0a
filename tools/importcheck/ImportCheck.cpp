// importcheck: what a 32-bit Windows program imports, against the list of what it may
// import and against the libraries of a Windows to run on (Wine's 32-bit ones serve, with
// no 32-bit code run). Prints what it checked and each failure on a line.
//   importcheck program.exe imports.txt library-folder
// Exit status 0: no failure; 1: failures; 2: the program or the list cannot be read.
#include <cstdio>
#include <fstream>

#include "ImportRules.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: importcheck program.exe imports.txt library-folder\n");
        return 2;
    }
    const auto program = ProgramImage::Open(argv[1]);
    if (!program || program->Object().is64()) {
        std::fprintf(stderr, "importcheck: %s is not a 32-bit Windows program\n", argv[1]);
        return 2;
    }
    std::ifstream list(argv[2]);
    if (!list) {
        std::fprintf(stderr, "importcheck: cannot read %s\n", argv[2]);
        return 2;
    }
    const ImportFindings findings = CheckImports(*program, list, argv[3]);
    std::printf("%s\n", findings.summary.c_str());
    for (const std::string& failure : findings.failures)
        std::printf("FAIL %s\n", failure.c_str());
    return findings.failures.empty() ? 0 : 1;
}
