// An ActiveSync folder with the Application Manager stand-in registered in it.
#include "driver/StandInSite.h"

#include "driver/SetupFacts.h"
#include "driver/Wait.h"

std::vector<std::string> StandInRun::Values(StandInField field) const
{
    std::vector<std::string> values;
    for (const auto& [name, value] : fields)
        if (name == FieldName(field))
            values.push_back(value);
    return values;
}

std::string StandInRun::Value(StandInField field) const
{
    const std::vector<std::string> values = Values(field);
    return values.empty() ? std::string("<no ") + FieldName(field) + ">" : values.front();
}

std::vector<StandInRun> ReadStandInRecord(const std::string& path)
{
    std::vector<StandInRun> runs;
    for (const Record& record : ReadRecords(path)) {
        if (record[0] == FieldName(StandInField::Run))
            runs.emplace_back();
        else if (!runs.empty() && record[0] != FieldName(StandInField::End))
            runs.back().fields.emplace_back(record[0], record.size() > 1 ? record[1] : "");
    }
    return runs;
}

bool AwaitStandInRun(const std::string& record, DWORD timeoutMs)
{
    return WaitUntil(timeoutMs, [&] {
        const std::vector<Record> records = ReadRecords(record);
        return !records.empty() && records.back()[0] == FieldName(StandInField::End);
    });
}

StandInSite::StandInSite(const std::string& under, size_t pathLength)
    : root(under),
      activeSync(root / (pathLength ? std::string(pathLength - root.Path().size() - 1, 'x')
                                    : std::string("Active Sync"))),
      appManager(activeSync + "\\CEAppMgr.exe"),
      installFolder(activeSync + "\\" + InstallFolderBelowAppManager),
      record(root / "appmgr.record"), recordVariable(Variable::StandInRecord, record)
{
    CreateDirectoryA(activeSync.c_str(), nullptr);
    CopyFileA(StandInExe().c_str(), appManager.c_str(), FALSE);
    entry.SetText(appManager);
}

std::vector<StandInRun> StandInSite::Runs(size_t expected, DWORD timeoutMs) const
{
    if (expected == 0)
        Sleep(QuietMs);
    else
        WaitUntil(timeoutMs, [&] {
            return ReadStandInRecord(record).size() >= expected && AwaitStandInRun(record, 0);
        });
    return ReadStandInRecord(record);
}
