// The bench driver's command line: options, each with its value.
#include "bench/BenchArguments.h"

#include <cstdio>
#include <cstdlib>

bool ParseArguments(int argc, char** argv, BenchArguments& arguments)
{
    bool understood = argc % 2 == 1;  // every option has its value
    for (int i = 1; understood && i + 1 < argc; i += 2) {
        const std::string option = argv[i], value = argv[i + 1];
        const size_t equals = value.find('=');
        if (option == "--runs")
            arguments.runs = std::atoi(value.c_str());
        else if (option == "--payload")
            arguments.payload = value;
        else if (option == "--peer" && equals != std::string::npos)
            arguments.peers.push_back({value.substr(0, equals), value.substr(equals + 1)});
        else
            understood = false;
    }
    if (understood && arguments.runs > 0 && !arguments.payload.empty())
        return true;
    std::fprintf(stderr, "usage: BenchDriver --runs <count> --payload <folder> "
                         "[--peer <name>=<NSIS.exe>]...\n");
    return false;
}
