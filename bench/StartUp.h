// Start-up to the first wizard page, and the peak working set there: the setup against
// the minimal wizard, NSIS's builds and the same setup without the check of its own file;
// and that check alone, in this process.
#pragma once

#include "bench/BenchArguments.h"

void PrintStartUpRows(const BenchArguments& arguments);
