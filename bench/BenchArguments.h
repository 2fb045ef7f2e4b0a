// What the bench driver is told on its command line:
//   BenchDriver --runs <count> --payload <folder> [--peer <name>=<NSIS.exe>]...
// the runs of each timed figure, the folder of the four payload files as the expander
// takes them, and NSIS's builds of the setup with how the rows name each. The yardsticks
// and the setups lie beside the driver.
#pragma once

#include <string>
#include <vector>

struct Peer {
    std::string name;
    std::string exe;
};

struct BenchArguments {
    int runs = 0;
    std::string payload;
    std::vector<Peer> peers;
};

// False, having said how the driver is called, unless every option is understood.
bool ParseArguments(int argc, char** argv, BenchArguments& arguments);

// How a row names a figure measured against NSIS's build: "start-up / NSIS, zlib, ms".
inline std::string PeerRow(const char* figure, const Peer& peer, const char* unit)
{
    return std::string(figure) + " / NSIS, " + peer.name + ", " + unit;
}
