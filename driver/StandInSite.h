// The world in which the setup installs and hands off: an ActiveSync folder of its own,
// with the Application Manager stand-in in it, registered in App Paths and recording each
// run into a file beside the folder.
#pragma once

#include <windows.h>

#include <string>

#include "driver/SetupWorld.h"

// The variable that names the file the stand-in records its runs in.
inline constexpr char StandInRecordVariable[] = "KORVANE_STANDIN_RECORD";

// Waits until the stand-in's record ends with a whole run.
bool AwaitStandInRun(const std::string& record, DWORD timeoutMs);

class StandInSite {
public:
    // In the temporary folder, or in the folder `under`. The ActiveSync folder is
    // "Active Sync", or with `pathLength` a folder whose path has that many characters.
    explicit StandInSite(const std::string& under = "", size_t pathLength = 0);

    AppPathsEntry entry;
    TempFolder root;
    std::string activeSync;
    std::string appManager;
    std::string record;
    ScopedEnvironment recordVariable;
};
