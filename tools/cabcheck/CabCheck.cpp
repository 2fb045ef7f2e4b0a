// cabcheck: refuses a device cabinet that the device would reject.
//   cabcheck CABINET INI INSTALLED-NAME
// INI is the Application Manager's INI file that installs the cabinet; INSTALLED-NAME is
// the name the setup extracts the cabinet under beside it.
// Exit status 0: acceptable; 1: refused, with "<file>: <reason>" on stderr.
#include <cstdio>

#include "CabinetCheck.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: cabcheck CABINET INI INSTALLED-NAME\n");
        return 2;
    }
    const std::string refused = CheckCabinet(argv[1], argv[2], argv[3]);
    if (!refused.empty())
        std::fprintf(stderr, "%s\n", refused.c_str());
    return refused.empty() ? 0 : 1;
}
