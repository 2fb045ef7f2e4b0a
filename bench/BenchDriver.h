// The bench driver's jobs, each printing its rows, and what it is told on its command line:
//   BenchDriver <runs> <payload folder> [<name>=<NSIS.exe>]...
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

// How a row names a figure measured against NSIS's build: "start-up / NSIS, zlib, ms".
inline std::string PeerRow(const char* figure, const Peer& peer, const char* unit)
{
    return std::string(figure) + " / NSIS, " + peer.name + ", " + unit;
}

// Start-up to the first wizard page, and the peak working set there: the setup against
// the minimal wizard, NSIS's builds and the same setup without the check of its own file;
// and that check alone, in this process.
void PrintStartUpRows(const BenchArguments& arguments);

// NSIS's build whose Finish to hand-off is the quickest: how the rows name it ("-" when
// there is none), and its times.
struct QuickestPeer {
    std::string name = "-";
    std::vector<double> ms;
};
// Finish to hand-off: the setup against NSIS's builds and against a program that only
// expands the same four files with LZ32; and, in this process, the read-back of the
// expanded files against the setup's records and their flush to the disk.
QuickestPeer PrintFinishRows(const BenchArguments& arguments);

// The setup's Finish to hand-off stage by stage, timed from inside it by the stage clock,
// against NSIS's build at its quickest.
void PrintStageRows(int runs, const QuickestPeer& quickest);
