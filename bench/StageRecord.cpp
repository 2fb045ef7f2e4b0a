// The stage clock's record: where it goes, how the clock is set, and its lines,
// "name|path|start|end", one call a line.
#include "bench/StageRecord.h"

#include <cstdlib>

#include "driver/ThreadHook.h"
#include "driver/probe/RecordFile.h"

namespace {

constexpr UINT HookMessageTimeoutMs = 2000;

// The calls that tell the stages apart.
const struct {
    Call name;
    StageCall call;
} NamedCalls[] = {
    {Call::CreateFileA, StageCall::FileOpened},
    {Call::FlushFileBuffers, StageCall::Flushed},
    {Call::ShellExecuteExA, StageCall::ShellExecuted},
    {Call::CreateProcessW, StageCall::ProcessCreated},
};
enum StageField { NameField, PathField, StartField, EndField, StageFieldCount };

}  // namespace

StageRecord::StageRecord(const std::string& folder)
    : path(folder + "\\stages.record"), variable(Variable::StageRecord, path)
{
}

// The clock rebinds on the first message the hook sees, which this process sends; then the
// hook goes, so that the sheet's messages from the press on are not slowed by it.
bool StageRecord::SetClock(HWND sheet) const
{
    ThreadHook clock(ProbeLibrary::StageClock, sheet);
    DWORD_PTR ignored;
    return clock.Set() && SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                              HookMessageTimeoutMs, &ignored);
}

std::vector<StageNote> StageRecord::Notes() const
{
    std::vector<StageNote> notes;
    for (const Record& fields : ReadRecords(path)) {
        if (fields.size() != StageFieldCount)
            continue;
        StageNote note = {StageCall::Other, std::strtoll(fields[StartField].c_str(), nullptr, 10),
                          std::strtoll(fields[EndField].c_str(), nullptr, 10)};
        for (const auto& named : NamedCalls) {
            if (fields[NameField] == CallName(named.name))
                note.call = named.call;
        }
        notes.push_back(note);
    }
    return notes;
}
