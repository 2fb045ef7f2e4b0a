// Finish to hand-off: the setup against NSIS's builds and against a program that only
// expands the same four files with LZ32; and, in this process, the read-back of the
// expanded files against the setup's records and their flush to the disk.
#pragma once

#include <string>
#include <vector>

#include "bench/BenchArguments.h"

// NSIS's build whose Finish to hand-off is the quickest: how the rows name it ("-" when
// there is none), and its times.
struct QuickestPeer {
    std::string name = "-";
    std::vector<double> ms;
};

QuickestPeer PrintFinishRows(const BenchArguments& arguments);
