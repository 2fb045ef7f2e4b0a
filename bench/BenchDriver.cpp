// The timed benchmarks, run under Wine: start-up to the first wizard page and peak memory
// there, and Finish to the Application Manager's start, for the setup, for NSIS's builds of
// the same setup (bench/peer), and for minimal yardsticks; start-up against the same setup
// built without the check of its own file; that check alone, and the read-back of the
// extracted files, in this process; and the setup's Finish to hand-off stage by stage, timed
// from inside it by the stage clock (StageClock.dll). The programs timed together take
// turns: each round starts with the next one. Prints one table row a figure: the setup's
// median and range, the other's, and the ratio of the medians. The command line is in
// BenchArguments.h.
#include "bench/BenchArguments.h"
#include "bench/FinishTiming.h"
#include "bench/StageTimeline.h"
#include "bench/StartUp.h"

int main(int argc, char** argv)
{
    BenchArguments arguments;
    if (!ParseArguments(argc, argv, arguments))
        return 2;
    PrintStartUpRows(arguments);
    PrintStageRows(arguments.runs, PrintFinishRows(arguments));
    return 0;
}
