// Start-up timing: each program started, its first page awaited, then cancelled.
#include "bench/BenchDriver.h"

#include <windows.h>
#include <psapi.h>

#include "app/SetupFileCheck.h"
#include "bench/HandOff.h"
#include "bench/PeerWizard.h"

namespace {

enum FirstPageFigure { StartUpMs, PeakKb };

// Starts the program, waits for its first wizard page (a dialog inside the wizard: a
// sheet's page, or NSIS's), reads its peak working set then, and cancels it.
Sample TimeToFirstPage(const std::string& program)
{
    const LONGLONG start = Ticks();
    ChildProcess child(program);
    HWND window = nullptr;
    const auto shown = [&] { return (window = FindTopWindow(child.Id(), ShownPage)) != nullptr; };
    if (!child.Started() || !WaitUntil(ExitTimeoutMs, shown, TimingPollMs))
        return {};
    Sample sample(2);
    sample[StartUpMs] = TicksToMs(Ticks() - start);
    PROCESS_MEMORY_COUNTERS counters = {sizeof counters};
    if (GetProcessMemoryInfo(child.Handle(), &counters, sizeof counters))
        sample[PeakKb] = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    PressButton(GetDlgItem(window, CancelButton));
    child.WaitForExit(ExitTimeoutMs);
    return sample;
}

// The setup's check of its own file alone.
Sample FileCheck()
{
    const LONGLONG start = Ticks();
    return SetupFileIsIntact(SetupExe().c_str()) ? Sample{TicksToMs(Ticks() - start)} : Sample{};
}

}  // namespace

void PrintStartUpRows(const BenchArguments& arguments)
{
    enum { Ours, Unchecked, Sheet, FirstPeer };
    std::vector<Peer> wizards = {{"the setup", SetupExe()},
                                 {"the unchecked setup", BinFolder() + "\\UncheckedSetup.exe"},
                                 {"the minimal wizard", BinFolder() + "\\MinimalSheet.exe"}};
    wizards.insert(wizards.end(), arguments.peers.begin(), arguments.peers.end());
    std::vector<Contender> starts;
    for (const Peer& wizard : wizards)
        starts.push_back({wizard.name, [&wizard] { return TimeToFirstPage(wizard.exe); }});
    std::vector<std::vector<Sample>> first;
    {
        // Without an Application Manager the setup would show the missing-ActiveSync box.
        StandInSite site;
        first = TakingTurns(arguments.runs, starts);
    }
    const auto ms = [&](size_t which) { return Column(first[which], StartUpMs); };
    const auto kb = [&](size_t which) { return Column(first[which], PeakKb); };
    const std::vector<Peer>& peers = arguments.peers;
    Row("start-up to the first page visible / minimal wizard, ms", ms(Ours), ms(Sheet));
    for (size_t i = 0; i < peers.size(); ++i)
        Row(PeerRow("start-up", peers[i], "ms"), ms(Ours), ms(FirstPeer + i));
    Row("start-up / the same setup without its file check, ms", ms(Ours), ms(Unchecked));
    Row("the file check alone / start-up, ms",
        Column(TakingTurns(arguments.runs, {{"the file check", FileCheck}})[0]), ms(Ours));
    Row("peak working set at the first page / minimal wizard, KB", kb(Ours), kb(Sheet), 0);
    for (size_t i = 0; i < peers.size(); ++i)
        Row(PeerRow("peak working set", peers[i], "KB"), kb(Ours), kb(FirstPeer + i), 0);
}
