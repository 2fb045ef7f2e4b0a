// Finish timing: installs by each wizard in turn, in a site of their own each time.
#include "bench/BenchDriver.h"

#include "bench/HandOff.h"
#include "bench/PeerWizard.h"
#include "install/PayloadDigest.h"

namespace {

template <class Wizard, class... Arguments>
Sample FinishToHandOff(int finishButton, const Arguments&... arguments)
{
    StandInSite site;
    const HandOff handOff = InstallThrough<Wizard>(site, finishButton, nullptr, arguments...);
    return handOff.done ? Sample{handOff.Ms()} : Sample{};
}

// The minimal expander, from its start to its end: the payload's four files into `target`.
Sample ExpandOnly(const std::string& payload, const TempFolder& target = TempFolder())
{
    std::string arguments = "\"" + payload + "\" \"" + target.Path() + "\"";
    for (const char* name : PayloadNames)
        arguments += std::string(" ") + name;
    const LONGLONG start = Ticks();
    ChildProcess child(BinFolder() + "\\MinimalExpander.exe", arguments);
    return child.WaitForExit(ExitTimeoutMs) == 0 ? Sample{TicksToMs(Ticks() - start)} : Sample{};
}

enum ExpandedFigure { ReadBackMs, FlushMs };

// The four files expanded anew, then read back against the setup's records and each
// opened for writing and flushed to the disk, as the setup does before it publishes them.
Sample ReadBackAndFlush(const std::string& payload)
{
    TempFolder target;
    HMODULE setup = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    bool done = setup && !ExpandOnly(payload, target).empty();
    Sample sample(2);
    LONGLONG start = Ticks();
    for (const char* name : PayloadNames)
        done = done && CompareWithPayloadDigest((target / name).c_str(), setup, name) == 0;
    sample[ReadBackMs] = TicksToMs(Ticks() - start);
    FreeLibrary(setup);
    for (const char* name : PayloadNames) {
        HANDLE file = CreateFileA((target / name).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr);
        start = Ticks();
        done = FlushFileBuffers(file) && done;
        sample[FlushMs] += TicksToMs(Ticks() - start);
        CloseHandle(file);
    }
    return done ? sample : Sample{};
}

}  // namespace

QuickestPeer PrintFinishRows(const BenchArguments& arguments)
{
    enum { Ours, Expansion, FirstPeer };
    std::vector<Contender> installs = {
        {"the setup", [] { return FinishToHandOff<WizardDriver>(FinishButton); }},
        {"the expander", [&] { return ExpandOnly(arguments.payload); }}};
    for (const Peer& peer : arguments.peers)
        installs.push_back(
            {peer.name, [&peer] { return FinishToHandOff<PeerWizard>(PeerNextButton, peer.exe); }});
    const std::vector<std::vector<Sample>> finish = TakingTurns(arguments.runs, installs);
    const std::vector<double> ours = Column(finish[Ours]), expansion = Column(finish[Expansion]);
    QuickestPeer quickest;
    for (size_t i = 0; i < arguments.peers.size(); ++i) {
        const std::vector<double> theirs = Column(finish[FirstPeer + i]);
        Row(PeerRow("Finish to hand-off", arguments.peers[i], "ms"), ours, theirs);
        if (i == 0 || Median(theirs) < Median(quickest.ms))
            quickest = {arguments.peers[i].name, theirs};
    }
    Row("Finish to hand-off / LZ32 expansion alone, ms", ours, expansion);
    const std::vector<Sample> expanded =
        TakingTurns(arguments.runs,
                    {{"the read-back", [&] { return ReadBackAndFlush(arguments.payload); }}})[0];
    Row("read-back of the 4 files / LZ32 expansion alone, ms", Column(expanded, ReadBackMs),
        expansion);
    Row("flush of the 4 files / Finish to hand-off, ms", Column(expanded, FlushMs), ours);
    return quickest;
}
