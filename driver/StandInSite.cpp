// An ActiveSync folder with the Application Manager stand-in registered in it.
#include "driver/StandInSite.h"

namespace {

// The last line of each run the stand-in records.
constexpr char RunEnd[] = "end\r\n";

} // namespace

bool AwaitStandInRun(const std::string& record, DWORD timeoutMs)
{
    return WaitForFileEnding(record, RunEnd, timeoutMs);
}

StandInSite::StandInSite(const std::string& under, size_t pathLength)
    : root(under),
      activeSync(root / (pathLength ? std::string(pathLength - root.Path().size() - 1, 'x')
                                    : std::string("Active Sync"))),
      appManager(activeSync + "\\CEAppMgr.exe"), record(root / "appmgr.record"),
      recordVariable(StandInRecordVariable, record)
{
    CreateDirectoryA(activeSync.c_str(), nullptr);
    CopyFileA(StandInExe().c_str(), appManager.c_str(), FALSE);
    entry.SetText(appManager);
}
