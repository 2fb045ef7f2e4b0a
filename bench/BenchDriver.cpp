// The timed benchmarks, run under Wine: start-up to the first wizard page and peak memory
// there, and Finish to the Application Manager's start, for the setup, for NSIS's builds of
// the same setup (bench/peer), and for minimal yardsticks; start-up against the same setup
// built without the check of its own file; that check alone, and the read-back of the
// extracted files, in this process; and the setup's Finish to hand-off stage by stage, timed
// from inside it by the stage clock (StageClock.dll). The programs timed together take
// turns: each round starts with the next one. Prints one table row a figure: the setup's
// median and range, the other's, and the ratio of the medians. The command line is in
// BenchDriver.h.
#include "bench/BenchDriver.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    BenchArguments arguments = {argc > 2 ? std::atoi(argv[1]) : 0, argc > 2 ? argv[2] : ""};
    for (int i = 3; i < argc; ++i) {
        const std::string peer = argv[i];
        const size_t equals = peer.find('=');
        if (equals == std::string::npos)
            arguments.runs = 0;
        arguments.peers.push_back({peer.substr(0, equals), peer.substr(equals + 1)});
    }
    if (arguments.runs <= 0) {
        std::fprintf(stderr, "usage: BenchDriver <runs> <payload folder> [<name>=<NSIS.exe>]...\n");
        return 2;
    }
    PrintStartUpRows(arguments);
    PrintStageRows(arguments.runs, PrintFinishRows(arguments));
    return 0;
}
