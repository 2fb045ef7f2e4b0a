// The timed benchmarks, run under Wine: start-up to the first wizard page and peak memory
// there, and Finish to the Application Manager's start, for the setup, for NSIS's builds of
// the same setup (bench/peer), and for minimal yardsticks; start-up against the same setup
// built without the check of its own file; that check alone, and the read-back of the
// extracted files, in this process; and the setup's Finish to hand-off stage by stage, timed
// from inside it by the stage clock (StageClock.dll). The programs timed together take
// turns: each round starts with the next one. Prints one table row a figure: the setup's
// median and range, the other's, and the ratio of the medians.
//   BenchDriver <MinimalSheet.exe> <MinimalExpander.exe> <payload folder> <runs>
//               <name>=<NSIS.exe>...
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
#include "driver/ThreadHook.h"
#include "driver/Wait.h"
#include "driver/WizardDriver.h"
#include "install/PayloadDigest.h"

namespace {

const DWORD TimeoutMs = 20000;
// The timed waits look as often as they can: how often they look is the figures' resolution.
const DWORD TimingPollMs = 1;

// The performance counter, which under Wine is one clock for every process.
LONGLONG Ticks()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksToMs(LONGLONG ticks)
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double NowMs() { return TicksToMs(Ticks()); }

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

// When Finish was pressed and when the stand-in's record appeared, in counter ticks.
struct HandOff {
    bool done = false;
    LONGLONG pressed = 0;
    LONGLONG seen = 0;
    double Ms() const { return done ? TicksToMs(seen - pressed) : -1; }
};

// Presses Finish on a wizard (ours or NSIS's) that stands on its last page, while the site
// stands; not done when the press could not be made or the stand-in's run did not complete.
template <class Wizard>
HandOff PressFinish(Wizard& wizard, const StandInSite& site, int finishButton)
{
    HandOff handOff;
    handOff.pressed = Ticks();
    if (!wizard.Press(finishButton))
        return handOff;
    WaitUntil(
        TimeoutMs, [&] { return FileExists(site.record); }, TimingPollMs);
    handOff.seen = Ticks();
    wizard.Process().WaitForExit(TimeoutMs);
    handOff.done = AwaitStandInRun(site.record, TimeoutMs);
    return handOff;
}

// Starts a wizard while the site stands, walks it to its last page and presses Finish: the
// time from the press until the stand-in's record appears, or -1 when the wizard could not
// be walked or the stand-in's run did not complete.
template <class Wizard, class... Arguments>
double InstallThrough(const StandInSite& site, int finishButton, const Arguments&... arguments)
{
    Wizard wizard(arguments...);
    if (!wizard.Opened() || !wizard.WalkTo(FinishPage))
        return -1;
    return PressFinish(wizard, site, finishButton).Ms();
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

// ---- Finish to hand-off stage by stage ----------------------------------------------

// The stages in the order the setup goes through them.
enum Stage {
    Teardown,   // Finish to the first file call: the sheet closes
    Folder,     // the install folder made or found, and leftovers of an earlier run looked for
    Staging,    // each file written as stored, expanded and flushed in "~n"
    Verifying,  // each flushed file read back against its record
    Swap,       // the previous set out, the new one in, the commit and the clear-up
    ShellCall,  // the call into the shell, ShellExecuteExA, but for the process it starts
    Process,    // the shell's CreateProcessW, the call that NSIS's Exec makes too
    FirstLine,  // ShellExecuteExA's return to the Application Manager stand-in's record
    StageCount
};
const char* const StageNames[StageCount] = {
    "  the sheet's teardown (Finish to the first file call)",
    "  the folder, and leftovers of a run before looked for",
    "  staging: each file written, expanded, flushed",
    "  read-back of each file against its record",
    "  the swap, the commit and the clear-up",
    "  ShellExecuteExA, but for its CreateProcessW",
    "  CreateProcessW in ShellExecuteExA (NSIS's Exec makes it)",
    "  ShellExecuteExA's return to the Manager's first line",
};

struct Stages {
    double ms[StageCount];
    double total = -1;  // Finish to hand-off of the same run; -1 when a stage was not seen
};

// One call the stage clock noted: the function, its first path, when it started and ended.
struct Note {
    std::string name;
    std::string path;
    LONGLONG start;
    LONGLONG end;
};

std::vector<Note> ReadNotes(const std::string& record)
{
    std::vector<Note> notes;
    for (const std::string& line : ReadLines(record)) {
        const size_t first = line.find('|'), second = line.find('|', first + 1),
                     third = line.find('|', second + 1);
        if (third == std::string::npos)
            continue;
        notes.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                         std::stoll(line.substr(second + 1, third - second - 1)),
                         std::stoll(line.substr(third + 1))});
    }
    return notes;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The stages of one install from the clock's notes. Staging runs from the first ".zip"
// temporary made to the last one deleted; within it, each file's read-back from the end of
// its flush to the deletion of its temporary, which the setup does once the file matches.
Stages StagesOf(const std::vector<Note>& all, const HandOff& handOff)
{
    Stages stages;
    std::vector<Note> notes;
    for (const Note& note : all) {
        if (note.start >= handOff.pressed)
            notes.push_back(note);
    }
    const auto find = [&](const char* name, const char* pathEnd, bool last) -> const Note* {
        const Note* found = nullptr;
        for (const Note& note : notes) {
            if (note.name == name && EndsWith(note.path, pathEnd) && (!found || last))
                found = &note;
        }
        return found;
    };
    const Note* stagingStart = find("CreateFileA", ".zip", false);
    const Note* stagingEnd = find("DeleteFileA", ".zip", true);
    const Note* shell = find("ShellExecuteExA", "", false);
    const Note* process = find("CreateProcessW", "", false);
    if (notes.empty() || !stagingStart || !stagingEnd || !shell || !process)
        return stages;
    LONGLONG readBack = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i].name != "FlushFileBuffers")
            continue;
        for (size_t j = i + 1; j < notes.size(); ++j) {
            if (notes[j].name == "DeleteFileA" && EndsWith(notes[j].path, ".zip")) {
                readBack += notes[j].start - notes[i].end;
                break;
            }
        }
    }
    const LONGLONG ticks[StageCount] = {
        notes.front().start - handOff.pressed,
        stagingStart->start - notes.front().start,
        stagingEnd->end - stagingStart->start - readBack,
        readBack,
        shell->start - stagingEnd->end,
        shell->end - shell->start - (process->end - process->start),
        process->end - process->start,
        handOff.seen - shell->end,
    };
    for (int stage = 0; stage < StageCount; ++stage)
        stages.ms[stage] = TicksToMs(ticks[stage]);
    stages.total = handOff.Ms();
    return stages;
}

// The variable that names the file the stage clock writes its notes to.
const char StageRecordVariable[] = "KORVANE_STAGE_RECORD";
constexpr UINT HookMessageTimeoutMs = 2000;

// One install by the setup with the stage clock set on it once Finish can be pressed. The
// clock rebinds on the first message the hook sees, which this process sends; then the hook
// goes, so that the sheet's messages from the press on are not slowed by it.
Stages TimeStages()
{
    StandInSite site;
    const std::string record = site.root / "stages.record";
    ScopedEnvironment recordVariable(StageRecordVariable, record);
    WizardDriver wizard;
    if (!wizard.Opened() || !wizard.WalkTo(FinishPage) ||
        !WaitUntil(TimeoutMs, [&] { return wizard.Buttons().finish; }))
        return {};
    {
        ThreadHook clock("StageClock.dll", "StageClockHook", WH_CALLWNDPROC, wizard.Sheet());
        DWORD_PTR ignored;
        if (!clock.Set() || !SendMessageTimeoutA(wizard.Sheet(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                 HookMessageTimeoutMs, &ignored))
            return {};
    }
    const HandOff handOff = PressFinish(wizard, site, FinishButton);
    if (!handOff.done)
        return {};
    return StagesOf(ReadNotes(record), handOff);
}

double Total(const Stages& stages) { return stages.total; }

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

template <class Value>
std::vector<double> Figures(const std::vector<Value>& values, double (*figure)(const Value&))
{
    std::vector<double> out;
    for (const Value& value : values)
        out.push_back(figure(value));
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

// A build of NSIS timed against the setup: how the rows name it, and its exe.
struct Peer {
    std::string name;
    std::string exe;
};

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "check")
        return Check(argc - 2, argv + 2);
    std::vector<Peer> peers;
    for (int i = 5; i < argc; ++i) {
        const std::string peer = argv[i];
        const size_t equals = peer.find('=');
        if (equals != std::string::npos)
            peers.push_back({peer.substr(0, equals), peer.substr(equals + 1)});
    }
    if (argc < 6 || peers.size() != static_cast<size_t>(argc - 5)) {
        std::fprintf(stderr, "usage: BenchDriver sheet.exe expander.exe payload-folder runs "
                             "name=nsis.exe...\n"
                             "       BenchDriver check nsis.exe...\n");
        return 2;
    }
    const std::string sheet = argv[1], expander = argv[2], payload = argv[3];
    const int runs = std::max(1, std::atoi(argv[4]));
    const auto label = [](const char* figure, const Peer& peer, const char* unit) {
        return std::string(figure) + " / NSIS, " + peer.name + ", " + unit;
    };

    // The setup shows the missing-ActiveSync box without an Application Manager.
    std::vector<std::vector<FirstPage>> first;
    {
        StandInSite site;
        std::vector<StartingWizard> wizards = {
            {"the setup", SetupExe(), VisibleSheet, CancelSheet},
            {"the unchecked setup", BinFolder() + "\\UncheckedSetup.exe", VisibleSheet,
             CancelSheet},
            {"the minimal wizard", sheet, VisibleSheet, CancelSheet},
        };
        for (const Peer& peer : peers)
            wizards.push_back({peer.name.c_str(), peer.exe, VisiblePeerWizard, CancelPeer});
        std::vector<Contender<FirstPage>> starts;
        for (const StartingWizard& wizard : wizards)
            starts.push_back({wizard.name, [&wizard] { return TimeToFirstPage(wizard); }});
        first = TakingTurns(runs, starts, Milliseconds);
    }
    const auto ms = [&](size_t which) { return Figures(first[which], Milliseconds); };
    const auto kb = [&](size_t which) { return Figures(first[which], PeakKb); };
    enum { Ours, Unchecked, Sheet, FirstPeer };
    Row("start-up to the first page visible / minimal wizard, ms", ms(Ours), ms(Sheet));
    for (size_t i = 0; i < peers.size(); ++i)
        Row(label("start-up", peers[i], "ms").c_str(), ms(Ours), ms(FirstPeer + i));
    Row("start-up / the same setup without its file check, ms", ms(Ours), ms(Unchecked));
    Row("the file check alone / start-up, ms", Runs(runs, FileCheck), ms(Ours));
    Row("peak working set at the first page / minimal wizard, KB", kb(Ours), kb(Sheet), 0);
    for (size_t i = 0; i < peers.size(); ++i)
        Row(label("peak working set", peers[i], "KB").c_str(), kb(Ours), kb(FirstPeer + i), 0);

    std::vector<Contender<double>> installs = {
        {"the setup", [] { return FinishToHandOff<WizardDriver>(FinishButton); }},
        {"the expander", [&] { return ExpandOnly(expander, payload); }}};
    for (const Peer& peer : peers)
        installs.push_back({peer.name.c_str(), [&peer] {
                                return FinishToHandOff<PeerWizard>(PeerNextButton, peer.exe);
                            }});
    enum { OursFinish, Expansion, FirstPeerFinish };
    const std::vector<std::vector<double>> finish = TakingTurns(runs, installs, Itself);
    size_t quickest = FirstPeerFinish;
    for (size_t i = 0; i < peers.size(); ++i) {
        const size_t which = FirstPeerFinish + i;
        Row(label("Finish to hand-off", peers[i], "ms").c_str(), finish[OursFinish], finish[which]);
        if (Median(finish[which]) < Median(finish[quickest]))
            quickest = which;
    }
    Row("Finish to hand-off / LZ32 expansion alone, ms", finish[OursFinish], finish[Expansion]);
    Row("read-back of the 4 files / LZ32 expansion alone, ms",
        Runs(runs, [&] { return ReadBack(expander, payload); }), finish[Expansion]);
    Row("flush of the 4 files / Finish to hand-off, ms",
        Runs(runs, [&] { return Flush(expander, payload); }), finish[OursFinish]);

    // The setup's Finish to hand-off, stage by stage, against NSIS at its quickest.
    const std::vector<std::vector<Stages>> staged =
        TakingTurns<Stages>(runs, {{"the setup with the stage clock", TimeStages}}, Total);
    std::printf("Finish to hand-off stage by stage (the setup with its stage clock) / NSIS, "
                "%s, ms\n",
                peers.empty() ? "-" : peers[quickest - FirstPeerFinish].name.c_str());
    for (int stage = 0; stage < StageCount; ++stage) {
        std::vector<double> values;
        for (const Stages& stages : staged[0])
            values.push_back(stages.ms[stage]);
        Row(StageNames[stage], values, finish[quickest]);
    }
    Row("  all stages (Finish to hand-off of the same runs)", Figures(staged[0], Total),
        finish[quickest]);
    return 0;
}
