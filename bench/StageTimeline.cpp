// The stage timeline: the stage clock (StageClock.dll), set in the setup before Finish,
// notes the calls that mark the install's stages, each with when it started and ended in
// counter ticks, and writes them to its record, "name|start|end" a line, once the hand-off
// has returned; each stage is told by those calls, by their names alone. A call that marks
// a stage and was not noted fails the run, saying which.
#include "bench/BenchDriver.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "bench/HandOff.h"
#include "driver/ThreadHook.h"

namespace {

// One call the clock noted: its name (CallName), and when it started and ended.
struct StageNote {
    std::string call;
    LONGLONG start;
    LONGLONG end;
};

enum StageField { NameField, StartField, EndField, StageFieldCount };

// The calls noted from `since` on, in the order they started.
std::vector<StageNote> ReadNotes(const std::string& path, LONGLONG since)
{
    std::vector<StageNote> notes;
    for (const Record& fields : ReadRecords(path)) {
        if (fields.size() != StageFieldCount)
            continue;
        const StageNote note = {fields[NameField],
                                std::strtoll(fields[StartField].c_str(), nullptr, 10),
                                std::strtoll(fields[EndField].c_str(), nullptr, 10)};
        if (note.start >= since)
            notes.push_back(note);
    }
    return notes;
}

// The clock rebinds on the first message the hook sees, which this process sends; then the
// hook goes, so that the sheet's messages from the press on are not slowed by it.
bool SetClock(HWND sheet)
{
    constexpr DWORD_PTR Unanswered = 1;  // a window answers WM_NULL with 0
    ThreadHook clock(ProbeLibrary::StageClock, sheet);
    return clock.Set() && Ask(sheet, WM_NULL, 0, 0, Unanswered) == 0;
}

// The stages in the order the setup goes through them, then Finish to hand-off of the
// same run.
const char* const StageRows[] = {
    "  the sheet's teardown (Finish to the first file call)",
    "  the folder, and leftovers of a run before looked for",
    "  staging: each file written, expanded, flushed",
    "  read-back of each file against its record",
    "  the swap, the commit and the clear-up",
    "  ShellExecuteExA, but for its CreateProcessW",
    "  CreateProcessW in ShellExecuteExA (NSIS's Exec makes it)",
    "  ShellExecuteExA's return to the Manager's first line",
    "  all stages (Finish to hand-off of the same runs)",
};

// The folder's stage ends where staging opens its first file. A file opened after a flush
// is read back, from that opening to the setup's next call; staging ends with the last
// read-back, and the swap runs from there to the call into the shell.
Sample StagesOf(const std::vector<StageNote>& notes, const HandOff& handOff)
{
    LONGLONG readBack = 0, staged = 0;
    bool flushed = false;
    for (size_t i = 0; i + 1 < notes.size(); ++i) {
        if (notes[i].call == CallName(Call::FlushFileBuffers))
            flushed = true;
        if (flushed && notes[i].call == CallName(Call::CreateFileA)) {
            readBack += notes[i + 1].start - notes[i].start;
            staged = notes[i + 1].start;
            flushed = false;
        }
    }
    // The first note of each call that marks a stage, or null.
    const auto first = [&](Call call) -> const StageNote* {
        for (const StageNote& note : notes) {
            if (note.call == CallName(call))
                return &note;
        }
        return nullptr;
    };
    const StageNote *opened = first(Call::CreateFileA), *shell = first(Call::ShellExecuteExA),
                    *process = first(Call::CreateProcessW);
    if (!opened || !shell || !process || !staged) {
        std::fprintf(stderr, "BenchDriver: the stage clock noted, after Finish, %s%s%s%s\n",
                     opened ? "" : "no file opened; ", staged ? "" : "no file read back; ",
                     shell ? "" : "no call into the shell; ", process ? "" : "no process created");
        return {};
    }
    const LONGLONG ticks[] = {
        notes.front().start - handOff.pressed,
        opened->start - notes.front().start,
        staged - opened->start - readBack,
        readBack,
        shell->start - staged,
        shell->end - shell->start - (process->end - process->start),
        process->end - process->start,
        handOff.seen - shell->end,
        handOff.seen - handOff.pressed,
    };
    Sample sample;
    for (LONGLONG stage : ticks)
        sample.push_back(TicksToMs(stage));
    return sample;
}

// One install by the setup with the stage clock set on it once Finish can be pressed.
Sample TimeStages()
{
    StandInSite site;
    const std::string record = site.root / "stages.record";
    ScopedEnvironment variable(Variable::StageRecord, record);
    bool clockSet = false;
    const HandOff handOff = InstallThrough<WizardDriver>(
        site, FinishButton, [&](WizardDriver& wizard) { clockSet = SetClock(wizard.Sheet()); });
    return handOff.done && clockSet ? StagesOf(ReadNotes(record, handOff.pressed), handOff)
                                    : Sample{};
}

}  // namespace

void PrintStageRows(int runs, const QuickestPeer& quickest)
{
    const std::vector<Sample> staged =
        TakingTurns(runs, {{"the setup with the stage clock", TimeStages}})[0];
    std::printf("Finish to hand-off stage by stage (the setup with its stage clock) / NSIS, "
                "%s, ms\n",
                quickest.name.c_str());
    for (size_t stage = 0; stage < std::size(StageRows); ++stage)
        Row(StageRows[stage], Column(staged, stage), quickest.ms);
}
