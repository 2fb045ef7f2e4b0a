// The timed benchmarks, run under Wine: start-up to the first wizard page and peak memory
// there, and Finish to the Application Manager's start, for the setup, for NSIS's build of
// the same setup (bench/peer) with each of its compressors, and for minimal yardsticks;
// start-up against the same setup built without the check of its own file; that check
// alone, and the read-back of the extracted files, in this process. The programs timed
// together take turns: each round starts with the next one. Prints one table row a
// figure: the setup's median and range, the other's, and the ratio of the medians.
//   BenchDriver <MinimalSheet.exe> <MinimalExpander.exe> <payload folder> <runs>
//               <NSIS lzma.exe> <NSIS zlib.exe>
//   BenchDriver check <NSIS.exe>...
// The setup is the KorvaneSetup.exe beside it, the unchecked one UncheckedSetup.exe. The
// check installs with the setup and with each NSIS build in turn, and fails, saying what
// differs, unless each leaves the same four files and hands the same arguments over.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/SetupFileCheck.h"
#include "bench/PeerWizard.h"
#include "driver/StandInSite.h"
#include "driver/Wait.h"
#include "driver/WizardDriver.h"
#include "install/PayloadDigest.h"

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

void CancelSheet(HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }
void CancelPeer(HWND wizard) { PressButton(GetDlgItem(wizard, PeerCancelButton)); }

// A wizard program as its start-up is timed: how its first page is known to show, and how
// it is then cancelled.
struct StartingWizard {
    const char* name;
    std::string program;
    HWND (*visible)(DWORD processId);
    void (*cancel)(HWND wizard);
};

struct FirstPage {
    double ms = -1;
    double peakKb = 0;
};

// Starts the program, waits for its first wizard page, reads its peak working set then,
// and cancels it.
FirstPage TimeToFirstPage(const StartingWizard& wizard)
{
    FirstPage result;
    const double start = NowMs();
    ChildProcess child(wizard.program);
    HWND window = nullptr;
    if (child.Started() &&
        WaitUntil(
            TimeoutMs, [&] { return (window = wizard.visible(child.Id())) != nullptr; },
            TimingPollMs))
        result.ms = NowMs() - start;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(child.Handle(), &counters, sizeof counters))
        result.peakKb = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    if (window)
        wizard.cancel(window);
    child.WaitForExit(TimeoutMs);
    return result;
}

// Starts a wizard (ours or NSIS's) while the site stands, walks it to its last page and
// presses Finish: the time from the press until the stand-in's record appears, or -1 when
// the wizard could not be walked or the stand-in's run did not complete.
template <class Wizard, class... Arguments>
double InstallThrough(const StandInSite& site, int finishButton, const Arguments&... arguments)
{
    Wizard wizard(arguments...);
    if (!wizard.Opened() || !wizard.WalkTo(FinishPage))
        return -1;
    const double start = NowMs();
    if (!wizard.Press(finishButton))
        return -1;
    WaitUntil(
        TimeoutMs, [&] { return FileExists(site.record); }, TimingPollMs);
    const double ms = NowMs() - start;
    wizard.Process().WaitForExit(TimeoutMs);
    return AwaitStandInRun(site.record, TimeoutMs) ? ms : -1;
}

// The stand-in registered as the Application Manager in a folder of the benchmark's own:
// Finish is timed until the stand-in's record appears.
template <class Wizard, class... Arguments>
double FinishToHandOff(int finishButton, const Arguments&... arguments)
{
    StandInSite site;
    return InstallThrough<Wizard>(site, finishButton, arguments...);
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
        matches = CompareWithPayloadDigest((target / name).c_str(), setup, name) == 0 && matches;
    const double ms = NowMs() - start;
    FreeLibrary(setup);
    return matches ? ms : -1;
}

// What the setup's flush costs: the four files expanded anew, each opened for writing and
// flushed to the disk, as the setup does before it publishes them.
double Flush(const std::string& expander, const std::string& payload)
{
    TempFolder target;
    if (ExpandOnly(expander, payload, target) < 0)
        return -1;
    double ms = 0;
    for (const char* name : PayloadNames) {
        HANDLE file = CreateFileA((target / name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        const double start = NowMs();
        bool flushed = FlushFileBuffers(file);
        ms += NowMs() - start;
        CloseHandle(file);
        if (!flushed)
            return -1;
    }
    return ms;
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

// A program timed against others: its name, and one timed run of it.
template <class Value> struct Contender {
    const char* name;
    std::function<Value()> run;
};

// Runs each contender `runs` times, round by round, each round starting one contender
// further on, so that none always goes first or always follows the same other; the values
// of each, in the contenders' order. A failed run (a negative figure) gives none, and says so.
template <class Value>
std::vector<std::vector<Value>> TakingTurns(int runs,
                                            const std::vector<Contender<Value>>& contenders,
                                            double (*figure)(const Value&))
{
    const size_t count = contenders.size();
    std::vector<std::vector<Value>> values(count);
    for (int round = 0; round < runs; ++round) {
        for (size_t turn = 0; turn < count; ++turn) {
            const size_t which = (round + turn) % count;
            Value value = contenders[which].run();
            if (figure(value) >= 0)
                values[which].push_back(value);
            else
                std::fprintf(stderr, "BenchDriver: run %d of %s failed\n", round + 1,
                             contenders[which].name);
        }
    }
    return values;
}

double Itself(const double& value) { return value; }
double Milliseconds(const FirstPage& first) { return first.ms; }
double PeakKb(const FirstPage& first) { return first.peakKb; }

std::vector<double> Figures(const std::vector<FirstPage>& pages, double (*figure)(const FirstPage&))
{
    std::vector<double> out;
    for (const FirstPage& page : pages)
        out.push_back(figure(page));
    return out;
}

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

// One row: the figure, the setup's median and range, the other's, the ratio of the medians.
void Row(const char* figure, const std::vector<double>& ours, const std::vector<double>& theirs,
         int decimals = 1)
{
    const double theirsMedian = Median(theirs);
    std::printf("%-58s %22s %22s %7.2f\n", figure, Cell(ours, decimals).c_str(),
                Cell(theirs, decimals).c_str(), theirsMedian > 0 ? Median(ours) / theirsMedian : 0);
}

// ---- The check that NSIS's build does the setup's job ---------------------------------

// What an install left in the site: each payload file's bytes ("" where there is none) and
// the stand-in's record of its run, without the lines on how it was started, which differ
// by design: the setup asks the shell, in its own current folder and with SW_SHOWNORMAL;
// NSIS's Exec calls CreateProcess in its output folder and names no window state.
struct Outcome {
    bool walked = false;
    std::vector<std::string> files;
    std::vector<std::string> record;
};

const char* const StartLines[] = {"directory=", "show="};

template <class Wizard, class... Arguments>
Outcome InstallOnce(const StandInSite& site, int finishButton, const Arguments&... arguments)
{
    Outcome outcome;
    outcome.walked = InstallThrough<Wizard>(site, finishButton, arguments...) >= 0;
    const std::string folder = site.activeSync + "\\" + InstallFolderBelowAppManager;
    for (const char* name : PayloadNames)
        outcome.files.push_back(ReadWholeFile(folder + "\\" + name));
    for (const std::string& line : ReadLines(site.record)) {
        if (std::none_of(std::begin(StartLines), std::end(StartLines),
                         [&](const char* start) { return line.rfind(start, 0) == 0; }))
            outcome.record.push_back(line);
    }
    // The site as it was before the install, for the next one.
    for (const char* name : PayloadNames)
        DeleteFileA((folder + "\\" + name).c_str());
    for (std::string level = folder; level.size() > site.activeSync.size();
         level.resize(level.find_last_of('\\')))
        RemoveDirectoryA(level.c_str());
    DeleteFileA(site.record.c_str());
    return outcome;
}

// Says each way in which NSIS's install differs from the setup's; true when none does.
bool SameInstall(const Outcome& ours, const Outcome& theirs, const std::string& peer,
                 const std::string& handOff)
{
    std::vector<std::string> differences;
    if (!ours.walked)
        differences.push_back("the setup's wizard could not be walked to the hand-off");
    if (!theirs.walked)
        differences.push_back("NSIS's wizard could not be walked to the hand-off");
    for (size_t i = 0; i < PayloadCount; ++i) {
        const std::string& a = ours.files[i];
        const std::string& b = theirs.files[i];
        if (a.empty() || a != b)
            differences.push_back(std::string(PayloadNames[i]) + ": the setup wrote " +
                                  std::to_string(a.size()) + " bytes, NSIS " +
                                  std::to_string(b.size()) +
                                  (a.size() == b.size() ? " that differ" : ""));
    }
    const std::vector<std::string>& record = ours.record;
    if (std::find(record.begin(), record.end(), "arguments=" + handOff) == record.end())
        differences.push_back("the setup did not hand over " + handOff);
    for (size_t i = 0; i < std::max(ours.record.size(), theirs.record.size()); ++i) {
        const std::string a = i < ours.record.size() ? ours.record[i] : "(none)";
        const std::string b = i < theirs.record.size() ? theirs.record[i] : "(none)";
        if (a != b)
            differences.push_back("the Application Manager saw \"" + a + "\" from the setup, \"" +
                                  b + "\" from NSIS");
    }
    if (differences.empty())
        return true;
    std::fprintf(stderr, "%s does not do the setup's job, so its figures would not compare:\n",
                 peer.c_str());
    for (const std::string& difference : differences)
        std::fprintf(stderr, "  %s\n", difference.c_str());
    return false;
}

int Check(int count, char** peers)
{
    bool same = true;
    for (int i = 0; i < count; ++i) {
        StandInSite site;
        const Outcome ours = InstallOnce<WizardDriver>(site, FinishButton);
        const Outcome theirs = InstallOnce<PeerWizard>(site, PeerNextButton, std::string(peers[i]));
        const std::string folder = site.activeSync + "\\" + InstallFolderBelowAppManager;
        same = SameInstall(ours, theirs, peers[i], HandOffArguments(folder)) && same;
    }
    return same ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "check")
        return Check(argc - 2, argv + 2);
    if (argc != 7) {
        std::fprintf(stderr, "usage: BenchDriver sheet.exe expander.exe payload-folder runs "
                             "nsis-lzma.exe nsis-zlib.exe\n"
                             "       BenchDriver check nsis.exe...\n");
        return 2;
    }
    const std::string sheet = argv[1], expander = argv[2], payload = argv[3];
    const int runs = std::max(1, std::atoi(argv[4]));
    const std::string lzma = argv[5], zlib = argv[6];

    // The setup shows the missing-ActiveSync box without an Application Manager.
    std::vector<std::vector<FirstPage>> first;
    {
        StandInSite site;
        const std::vector<StartingWizard> wizards = {
            {"the setup", SetupExe(), VisibleSheet, CancelSheet},
            {"the unchecked setup", BinFolder() + "\\UncheckedSetup.exe", VisibleSheet,
             CancelSheet},
            {"the minimal wizard", sheet, VisibleSheet, CancelSheet},
            {"NSIS (lzma)", lzma, VisiblePeerWizard, CancelPeer},
            {"NSIS (zlib)", zlib, VisiblePeerWizard, CancelPeer},
        };
        std::vector<Contender<FirstPage>> starts;
        for (const StartingWizard& wizard : wizards)
            starts.push_back({wizard.name, [&wizard] { return TimeToFirstPage(wizard); }});
        first = TakingTurns(runs, starts, Milliseconds);
    }
    const auto ms = [&](size_t which) { return Figures(first[which], Milliseconds); };
    const auto kb = [&](size_t which) { return Figures(first[which], PeakKb); };
    enum { Ours, Unchecked, Sheet, Lzma, Zlib };
    Row("start-up to the first page visible / minimal wizard, ms", ms(Ours), ms(Sheet));
    Row("start-up / NSIS, lzma solid, ms", ms(Ours), ms(Lzma));
    Row("start-up / NSIS, zlib, ms", ms(Ours), ms(Zlib));
    Row("start-up / the same setup without its file check, ms", ms(Ours), ms(Unchecked));
    Row("the file check alone / start-up, ms", Runs(runs, FileCheck), ms(Ours));
    Row("peak working set at the first page / minimal wizard, KB", kb(Ours), kb(Sheet), 0);
    Row("peak working set at the first page / NSIS, lzma solid, KB", kb(Ours), kb(Lzma), 0);
    Row("peak working set at the first page / NSIS, zlib, KB", kb(Ours), kb(Zlib), 0);

    enum { OursFinish, LzmaFinish, ZlibFinish, Expansion };
    const std::vector<std::vector<double>> finish = TakingTurns<double>(
        runs,
        {{"the setup", [] { return FinishToHandOff<WizardDriver>(FinishButton); }},
         {"NSIS (lzma)", [&] { return FinishToHandOff<PeerWizard>(PeerNextButton, lzma); }},
         {"NSIS (zlib)", [&] { return FinishToHandOff<PeerWizard>(PeerNextButton, zlib); }},
         {"the expander", [&] { return ExpandOnly(expander, payload); }}},
        Itself);
    Row("Finish to hand-off / NSIS, lzma solid, ms", finish[OursFinish], finish[LzmaFinish]);
    Row("Finish to hand-off / NSIS, zlib, ms", finish[OursFinish], finish[ZlibFinish]);
    Row("Finish to hand-off / LZ32 expansion alone, ms", finish[OursFinish], finish[Expansion]);
    Row("read-back of the 4 files / LZ32 expansion alone, ms",
        Runs(runs, [&] { return ReadBack(expander, payload); }), finish[Expansion]);
    Row("flush of the 4 files / Finish to hand-off, ms",
        Runs(runs, [&] { return Flush(expander, payload); }), finish[OursFinish]);
    return 0;
}
