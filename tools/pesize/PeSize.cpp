// pesize: where the bytes of a Windows program go. Prints the file size, each section's
// size in the file, and the resource data by type; the resources of the types named on
// the command line are the payload, and what is left is the program's own overhead.
//   pesize program.exe [PAYLOAD_TYPE...]
#include <cstdio>

#include "SizeReport.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pesize program.exe [PAYLOAD_TYPE...]\n");
        return 2;
    }
    const auto program = ProgramImage::Open(argv[1]);
    if (!program) {
        std::fprintf(stderr, "pesize: %s is not a Windows program\n", argv[1]);
        return 1;
    }
    std::fputs(SizeReport(*program, {argv + 2, argv + argc}).c_str(), stdout);
    return 0;
}
