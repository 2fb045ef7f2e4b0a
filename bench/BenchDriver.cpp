// The timed benchmarks, run under Wine: start-up to the first wizard page, Finish to the
// Application Manager's start, and peak memory, each for the setup and for a minimal
// yardstick program; start-up against the same setup built without the check of its own
// file; that check alone, and the read-back of the extracted files, in this process.
// Prints one table row a figure: the setup's median, the yardstick's median, and their
// ratio.
//   BenchDriver <MinimalSheet.exe> <MinimalExpander.exe> <payload folder> <runs>
// The setup is the KorvaneSetup.exe beside it, the unchecked one UncheckedSetup.exe.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "install/PayloadDigest.h"
#include "app/SetupFileCheck.h"
#include "driver/StandInSite.h"
#include "driver/Wait.h"
#include "driver/WizardDriver.h"

namespace {

const DWORD TimeoutMs = 20000;
// The timed waits look as often as they can: how often they look is the figures' resolution.
const DWORD TimingPollMs = 1;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A sheet of the process whose current page is visible, or null.
HWND VisibleSheet(DWORD processId)
{
    for (HWND window : VisibleTopWindows(processId)) {
        auto page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (page && IsWindowVisible(page))
            return window;
    }
    return nullptr;
}

struct FirstPage {
    double ms = 0;
    double peakKb = 0;
};

// Starts the program, waits for its first wizard page, reads its peak working set then,
// and cancels it.
FirstPage TimeToFirstPage(const std::string& program)
{
    FirstPage result;
    const double start = NowMs();
    ChildProcess child(program);
    HWND sheet = nullptr;
    if (child.Started())
        WaitUntil(TimeoutMs, [&] { return (sheet = VisibleSheet(child.Id())) != nullptr; },
                  TimingPollMs);
    result.ms = NowMs() - start;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(child.Handle(), &counters, sizeof counters))
        result.peakKb = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    if (sheet)
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    child.WaitForExit(TimeoutMs);
    return result;
}

// The stand-in registered as the Application Manager in a folder of the benchmark's own:
// Finish is timed until the stand-in's record appears.
double FinishToHandOff()
{
    StandInSite site;
    WizardDriver wizard;
    if (!wizard.Opened() || !wizard.WalkTo(FinishPage))
        return -1;
    const double start = NowMs();
    if (!wizard.Press(FinishButton))
        return -1;
    WaitUntil(TimeoutMs, [&] { return FileExists(site.record); }, TimingPollMs);
    const double ms = NowMs() - start;
    wizard.Process().WaitForExit(TimeoutMs);
    AwaitStandInRun(site.record, TimeoutMs);
    return ms;
}

// The minimal expander, from its start to its end.
double ExpandOnly(const std::string& expander, const std::string& payload,
                  const TempFolder& target = TempFolder())
{
    std::string arguments = "\"" + payload + "\" \"" + target.Path() + "\"";
    for (const char* name : PayloadNames)
        arguments += std::string(" ") + name;
    const double start = NowMs();
    ChildProcess child(expander, arguments);
    DWORD code = child.WaitForExit(TimeoutMs);
    return code == 0 ? NowMs() - start : -1;
}

// The setup's check of its own file alone.
double FileCheck()
{
    const double start = NowMs();
    bool intact = SetupFileIsIntact(SetupExe().c_str());
    return intact ? NowMs() - start : -1;
}

// The read-back of the four files the expander wrote, against the setup's records.
double ReadBack(const std::string& expander, const std::string& payload)
{
    TempFolder target;
    if (ExpandOnly(expander, payload, target) < 0)
        return -1;
    HMODULE setup = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const double start = NowMs();
    bool matches = setup != nullptr;
    for (const char* name : PayloadNames)
        matches = FileMatchesPayloadDigest((target / name).c_str(), setup, name) && matches;
    const double ms = NowMs() - start;
    FreeLibrary(setup);
    return matches ? ms : -1;
}

std::vector<double> Runs(int count, const std::function<double()>& run)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        double value = run();
        if (value >= 0)
            values.push_back(value);
    }
    return values;
}

void Row(const char* figure, double ours, double theirs)
{
    std::printf("%-58s %12.1f %12.1f %8.2f\n", figure, ours, theirs, theirs > 0 ? ours / theirs : 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: BenchDriver sheet.exe expander.exe payload-folder runs\n");
        return 2;
    }
    const std::string sheet = argv[1], expander = argv[2], payload = argv[3];
    const int runs = std::max(1, std::atoi(argv[4]));

    // The setup shows the missing-ActiveSync box without an Application Manager.
    std::vector<FirstPage> oursFirst, theirsFirst, uncheckedFirst;
    {
        StandInSite site;
        // Alternate which setup goes first, so that neither always meets the other's leftovers.
        const std::string unchecked = BinFolder() + "\\UncheckedSetup.exe";
        for (int i = 0; i < runs; ++i) {
            if (i % 2)
                uncheckedFirst.push_back(TimeToFirstPage(unchecked));
            oursFirst.push_back(TimeToFirstPage(SetupExe()));
            if (i % 2 == 0)
                uncheckedFirst.push_back(TimeToFirstPage(unchecked));
            theirsFirst.push_back(TimeToFirstPage(sheet));
        }
    }
    auto ms = [](const std::vector<FirstPage>& v) {
        std::vector<double> out;
        for (const FirstPage& f : v)
            out.push_back(f.ms);
        return out;
    };
    auto kb = [](const std::vector<FirstPage>& v) {
        std::vector<double> out;
        for (const FirstPage& f : v)
            out.push_back(f.peakKb);
        return out;
    };
    Row("start-up to the first page visible, ms", Median(ms(oursFirst)), Median(ms(theirsFirst)));
    Row("start-up / the same setup without its file check, ms", Median(ms(oursFirst)),
        Median(ms(uncheckedFirst)));
    Row("the file check alone / start-up, ms", Median(Runs(runs, FileCheck)),
        Median(ms(oursFirst)));
    Row("peak working set at the first page, KB", Median(kb(oursFirst)), Median(kb(theirsFirst)));
    Row("Finish to hand-off / LZ32 expansion alone, ms", Median(Runs(runs, FinishToHandOff)),
        Median(Runs(runs, [&] { return ExpandOnly(expander, payload); })));
    Row("read-back of the 4 files / LZ32 expansion alone, ms",
        Median(Runs(runs, [&] { return ReadBack(expander, payload); })),
        Median(Runs(runs, [&] { return ExpandOnly(expander, payload); })));
    return 0;
}
