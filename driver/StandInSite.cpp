// An ActiveSync folder with the Application Manager stand-in registered in it.
#include "driver/StandInSite.h"

#include "driver/Wait.h"

namespace {

// The last line of each run the stand-in records.
const std::string RunEnd = "end\r\n";

}  // namespace

bool AwaitStandInRun(const std::string& record, DWORD timeoutMs)
{
    return WaitUntil(timeoutMs, [&] {
        const std::string content = ReadWholeFile(record);
        return content.size() >= RunEnd.size() &&
               content.compare(content.size() - RunEnd.size(), RunEnd.size(), RunEnd) == 0;
    });
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
