// The world in which the setup installs and hands off: an ActiveSync folder of its own,
// with the Application Manager stand-in in it, registered in App Paths and recording each
// run into a file beside the folder; and the reading of that record.
#pragma once

#include <utility>

#include "driver/SetupWorld.h"
#include "driver/probe/SharedNames.h"

// One run of the Application Manager stand-in: its fields in the order it recorded them.
struct StandInRun {
    std::vector<std::pair<std::string, std::string>> fields;
    // The first value of the field, or "<no FIELD>"; every value of the field, in order.
    std::string Value(StandInField field) const;
    std::vector<std::string> Values(StandInField field) const;
};
std::vector<StandInRun> ReadStandInRecord(const std::string& path);

// Waits until the stand-in's record ends with a whole run.
bool AwaitStandInRun(const std::string& record, DWORD timeoutMs);

class StandInSite {
public:
    // In the temporary folder, or in the folder `under`. The ActiveSync folder is
    // "Active Sync", or with `pathLength` a folder whose path has that many characters.
    explicit StandInSite(const std::string& under = "", size_t pathLength = 0);

    // The stand-in's whole runs, once `expected` of them have been recorded or the time
    // for them has passed; when none is expected, after a quiet spell in which none came.
    std::vector<StandInRun> Runs(size_t expected, DWORD timeoutMs) const;

    AppPathsEntry entry;
    TempFolder root;
    std::string activeSync;
    std::string appManager;
    // Where the setup installs, below the Application Manager's folder.
    std::string installFolder;
    std::string record;
    ScopedEnvironment recordVariable;
};
