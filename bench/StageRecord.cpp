// The stage clock's record: where it goes, how the clock is set, and its lines,
// "name|path|start|end", one call a line.
#include "bench/StageRecord.h"

#include <cstdlib>

#include "driver/ProcessWindows.h"
#include "driver/ThreadHook.h"
#include "driver/probe/RecordFile.h"

namespace {

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
    constexpr DWORD_PTR Unanswered = 1;  // a window answers WM_NULL with 0
    ThreadHook clock(ProbeLibrary::StageClock, sheet);
    return clock.Set() && Ask(sheet, WM_NULL, 0, 0, Unanswered) == 0;
}

std::vector<StageNote> StageRecord::Notes() const
{
    std::vector<StageNote> notes;
    for (const Record& fields : ReadRecords(path)) {
        if (fields.size() == StageFieldCount)
            notes.push_back({fields[NameField],
                             std::strtoll(fields[StartField].c_str(), nullptr, 10),
                             std::strtoll(fields[EndField].c_str(), nullptr, 10)});
    }
    return notes;
}
