// The stage clock's record: where it goes, how the clock is set, and its lines,
// "name|path|start|end", one call a line.
#include "bench/StageRecord.h"

#include <cstdlib>

#include "driver/ThreadHook.h"

namespace {

const char StageRecordVariable[] = "KORVANE_STAGE_RECORD";
constexpr UINT HookMessageTimeoutMs = 2000;

// The names the clock notes the calls under.
const struct {
    const char* name;
    StageCall call;
} NamedCalls[] = {
    {"CreateFileA", StageCall::FileOpened},
    {"FlushFileBuffers", StageCall::Flushed},
    {"ShellExecuteExA", StageCall::ShellExecuted},
    {"CreateProcessW", StageCall::ProcessCreated},
};

}  // namespace

StageRecord::StageRecord(const std::string& folder)
    : path(folder + "\\stages.record"), variable(StageRecordVariable, path)
{
}

// The clock rebinds on the first message the hook sees, which this process sends; then the
// hook goes, so that the sheet's messages from the press on are not slowed by it.
bool StageRecord::SetClock(HWND sheet) const
{
    ThreadHook clock("StageClock.dll", "StageClockHook", WH_CALLWNDPROC, sheet);
    DWORD_PTR ignored;
    return clock.Set() && SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                              HookMessageTimeoutMs, &ignored);
}

std::vector<StageNote> StageRecord::Notes() const
{
    std::vector<StageNote> notes;
    for (const std::string& line : ReadLines(path)) {
        const size_t name = line.find('|'), end = line.rfind('|'), start = line.rfind('|', end - 1);
        if (name == std::string::npos || start == std::string::npos || start <= name)
            continue;
        StageNote note = {StageCall::Other, std::strtoll(&line[start + 1], nullptr, 10),
                          std::strtoll(&line[end + 1], nullptr, 10)};
        for (const auto& named : NamedCalls) {
            if (line.compare(0, name, named.name) == 0)
                note.call = named.call;
        }
        notes.push_back(note);
    }
    return notes;
}
