// The setup's Finish to hand-off stage by stage, timed from inside it by the stage clock,
// against NSIS's build at its quickest.
#pragma once

#include "bench/FinishTiming.h"

void PrintStageRows(int runs, const QuickestPeer& quickest);
