// Start-up timing: each program started, its first page awaited, then cancelled.
#include "bench/StartUp.h"

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include "app/SetupFileCheck.h"
#include "bench/Clock.h"
#include "bench/HandOff.h"
#include "bench/PeerWizard.h"

namespace {

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
    std::string name;
    std::string program;
    HWND (*visible)(DWORD processId);
    void (*cancel)(HWND wizard);
};

enum FirstPageFigure { StartUpMs, PeakKb };

// Starts the program, waits for its first wizard page, reads its peak working set then,
// and cancels it.
Sample TimeToFirstPage(const StartingWizard& wizard)
{
    const double start = NowMs();
    ChildProcess child(wizard.program);
    HWND window = nullptr;
    if (!child.Started() ||
        !WaitUntil(
            HandOffTimeoutMs, [&] { return (window = wizard.visible(child.Id())) != nullptr; },
            TimingPollMs))
        return {};
    Sample sample(2);
    sample[StartUpMs] = NowMs() - start;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(child.Handle(), &counters, sizeof counters))
        sample[PeakKb] = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    wizard.cancel(window);
    child.WaitForExit(HandOffTimeoutMs);
    return sample;
}

// The setup's check of its own file alone.
Sample FileCheck()
{
    const double start = NowMs();
    return SetupFileIsIntact(SetupExe().c_str()) ? Sample{NowMs() - start} : Sample{};
}

}  // namespace

void PrintStartUpRows(const BenchArguments& arguments)
{
    enum { Ours, Unchecked, Sheet, FirstPeer };
    std::vector<StartingWizard> wizards = {
        {"the setup", SetupExe(), VisibleSheet, CancelSheet},
        {"the unchecked setup", BinFolder() + "\\UncheckedSetup.exe", VisibleSheet, CancelSheet},
        {"the minimal wizard", BinFolder() + "\\MinimalSheet.exe", VisibleSheet, CancelSheet}};
    for (const Peer& peer : arguments.peers)
        wizards.push_back({peer.name, peer.exe, VisiblePeerWizard, CancelPeer});
    std::vector<Contender> starts;
    for (const StartingWizard& wizard : wizards)
        starts.push_back({wizard.name, [&wizard] { return TimeToFirstPage(wizard); }});
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
