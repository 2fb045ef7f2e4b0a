// The bench's clock and its statistics: the counter every figure is read from, the runs of
// programs timed together taking turns, and the table row that sets a figure of the setup
// beside a yardstick's, each as the median of its runs with their range.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The performance counter, which under Wine is one clock for every process.
LONGLONG Ticks();
double TicksToMs(LONGLONG ticks);

// The figures of one run (milliseconds, kilobytes); none when the run failed.
using Sample = std::vector<double>;

// A program timed against others: its name, and one timed run of it.
struct Contender {
    std::string name;
    std::function<Sample()> run;
};

// Runs each contender `runs` times, round by round, each round starting one contender
// further on, so that none always goes first or always follows the same other; the samples
// of each, in the contenders' order. A failed run gives none, and says so.
std::vector<std::vector<Sample>> TakingTurns(int runs, const std::vector<Contender>& contenders);
// One figure of each sample.
std::vector<double> Column(const std::vector<Sample>& samples, size_t figure = 0);

double Median(std::vector<double> values);
// One row: the figure, the setup's median and range, the other's, the ratio of the medians.
void Row(const std::string& figure, const std::vector<double>& ours,
         const std::vector<double>& theirs, int decimals = 1);
