// The stage clock (StageClock.dll) as the bench sees it: set in the setup before Finish,
// it notes the calls that mark the install's stages, each with when it started and ended
// in counter ticks, and writes them to a record once the hand-off has returned.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver/SetupWorld.h"
#include "driver/probe/SharedNames.h"

// One call the clock noted: its name (CallName), and when it started and ended.
struct StageNote {
    std::string call;
    LONGLONG start;
    LONGLONG end;
};

class StageRecord {
public:
    // A record in `folder`, named to the setups started from here on.
    explicit StageRecord(const std::string& folder);
    // Sets the clock on the setup whose sheet this is; false when it could not.
    bool SetClock(HWND sheet) const;
    // The calls noted, in the order they started.
    std::vector<StageNote> Notes() const;

private:
    std::string path;
    ScopedEnvironment variable;
};
