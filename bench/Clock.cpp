// The bench's clock and its statistics.
#include "bench/Clock.h"

#include <algorithm>
#include <cstdio>

LONGLONG Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksToMs(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

std::vector<std::vector<Sample>> TakingTurns(int runs, const std::vector<Contender>& contenders)
{
    const size_t count = contenders.size();
    std::vector<std::vector<Sample>> samples(count);
    for (int round = 0; round < runs; ++round) {
        for (size_t turn = 0; turn < count; ++turn) {
            const size_t which = (round + turn) % count;
            Sample sample = contenders[which].run();
            if (!sample.empty())
                samples[which].push_back(sample);
            else
                std::fprintf(stderr, "BenchDriver: run %d of %s failed\n", round + 1,
                             contenders[which].name.c_str());
        }
    }
    return samples;
}

std::vector<double> Column(const std::vector<Sample>& samples, size_t figure)
{
    std::vector<double> values;
    for (const Sample& sample : samples)
        values.push_back(sample[figure]);
    return values;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

namespace {

// The median of the values and their range: "154.9 (148.0-171.2)".
std::string Cell(const std::vector<double>& values, int decimals)
{
    if (values.empty())
        return "-";
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, "%.*f (%.*f-%.*f)", decimals, Median(values), decimals, *low,
                  decimals, *high);
    return text;
}

}  // namespace

void Row(const std::string& figure, const std::vector<double>& ours,
         const std::vector<double>& theirs, int decimals)
{
    const double theirsMedian = Median(theirs);
    std::printf("%-58s %22s %22s %7.2f\n", figure.c_str(), Cell(ours, decimals).c_str(),
                Cell(theirs, decimals).c_str(), theirsMedian > 0 ? Median(ours) / theirsMedian : 0);
}
