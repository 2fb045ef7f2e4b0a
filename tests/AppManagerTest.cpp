// The Application Manager lookup, the install folder beside it and the hand-off to it.
#include <gtest/gtest.h>

#include <string>

#include "app/AppManager.h"
#include "tests/support/TestSupport.h"

namespace {

const DWORD StandInTimeoutMs = 15000;

std::string WindowsFolder()
{
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

std::string Lookup()
{
    TextString path = ReadAppManagerPath();
    CloseAppManagerKey();
    return path.GetText();
}

TEST(AppManagerLookup, ReadsTheRegisteredPath)
{
    const std::string windows = WindowsFolder();
    const std::string longPath = "C:\\" + std::string(495, 'p') + "\\CEAppMgr.exe";  // 511
    struct {
        const char* what;
        DWORD type;  // REG_NONE: no value at all
        std::string stored;
        std::string path;
    } const cases[] = {
        {"plain path", REG_SZ, "C:\\AS\\CEAppMgr.exe", "C:\\AS\\CEAppMgr.exe"},
        {"511 characters", REG_SZ, longPath, longPath},
        {"512 characters", REG_SZ, longPath + "x", ""},
        {"no value", REG_NONE, "", ""},
        {"empty value", REG_SZ, "", ""},
        {"enclosed in quotes", REG_SZ, "\"C:\\A S\\CEAppMgr.exe\"", "C:\\A S\\CEAppMgr.exe"},
        {"opening quote only", REG_SZ, "\"C:\\AS\\CEAppMgr.exe", "\"C:\\AS\\CEAppMgr.exe"},
        {"a lone quote", REG_SZ, "\"", "\""},
        {"expandable", REG_EXPAND_SZ, "%windir%\\WindowsMobile\\CEAppMgr.exe",
         windows + "\\WindowsMobile\\CEAppMgr.exe"},
        {"expandable in quotes", REG_EXPAND_SZ, "\"%windir%\\CEAppMgr.exe\"",
         windows + "\\CEAppMgr.exe"},
        {"expansion over 511 characters", REG_EXPAND_SZ,
         "%windir%\\" + std::string(511 - windows.size(), 'e'), ""},
        {"expansion of exactly 511 characters", REG_EXPAND_SZ,
         "%windir%\\" + std::string(510 - windows.size(), 'e'),
         windows + "\\" + std::string(510 - windows.size(), 'e')},
        {"plain text keeps its percent signs", REG_SZ, "C:\\%windir%\\CEAppMgr.exe",
         "C:\\%windir%\\CEAppMgr.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AppPathsEntry entry;
        if (c.type != REG_NONE)
            entry.SetText(c.stored, 0, c.type);
        EXPECT_EQ(c.path, Lookup());
    }
}

TEST(AppManagerLookup, LeavesAnEmptyKeyBehindWhenNoneExists)
{
    AppPathsEntry entry;
    ASSERT_FALSE(AppPathsEntry::Exists());
    EXPECT_EQ("", Lookup());
    EXPECT_TRUE(AppPathsEntry::Exists());
    EXPECT_EQ(0u, AppPathsEntry::ValueCount());
    EXPECT_EQ(0u, AppPathsEntry::SubkeyCount());
}

TEST(AppManagerLookup, InstallFolderLiesBesideTheApplicationManager)
{
    struct {
        std::string stored;
        std::string folder;
    } const cases[] = {
        {"C:\\Program Files\\Microsoft ActiveSync\\CEAppMgr.exe",
         "C:\\Program Files\\Microsoft ActiveSync\\Orbelwick\\Korvane"},
        {"D:\\Tools\\", "D:\\Tools\\Orbelwick\\Korvane"},
        {"CEAppMgr.exe", "Orbelwick\\Korvane"},
        {"C:/Program Files/ActiveSync/CEAppMgr.exe",
         "C:\\Program Files\\ActiveSync\\Orbelwick\\Korvane"},
        {"\"C:\\Program Files\\ActiveSync\\CEAppMgr.exe\"",
         "C:\\Program Files\\ActiveSync\\Orbelwick\\Korvane"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        AppPathsEntry entry;
        entry.SetText(c.stored);
        TextString folder = ReadAppManagerPath();
        CloseAppManagerKey();
        MakeInstallFolder(folder);
        EXPECT_EQ(c.folder, folder.GetText());
    }
}

// Run in a 64-bit prefix: the 32-bit setup must find a 64-bit Application Manager.
TEST(AppManagerLookupWow64, FallsBackToThe64BitView)
{
    ASSERT_TRUE(UnderWow64()) << "this case needs a 64-bit prefix (ctest: registry_wow64)";
    SeparateAppPathsViews();
    {
        AppPathsEntry entry;
        entry.SetText("C:\\Program Files\\Windows Mobile\\CEAppMgr.exe", KEY_WOW64_64KEY);
        ASSERT_FALSE(AppPathsEntry::Exists(KEY_WOW64_32KEY));
        EXPECT_EQ("C:\\Program Files\\Windows Mobile\\CEAppMgr.exe", Lookup());
        // The 32-bit lookup still opened its own view for all access.
        EXPECT_TRUE(AppPathsEntry::Exists(KEY_WOW64_32KEY));
    }
    {
        AppPathsEntry entry;
        entry.SetText("\"%ProgramW6432%\\Windows Mobile\\CEAppMgr.exe\"", KEY_WOW64_64KEY,
                      REG_EXPAND_SZ);
        std::string expected = "C:\\Program Files\\Windows Mobile\\CEAppMgr.exe";
        EXPECT_EQ(expected, Lookup());
    }
    {
        AppPathsEntry entry;
        entry.SetText("C:\\32\\CEAppMgr.exe", KEY_WOW64_32KEY);
        entry.SetText("C:\\64\\CEAppMgr.exe", KEY_WOW64_64KEY);
        EXPECT_EQ("C:\\32\\CEAppMgr.exe", Lookup());
    }
}

// Copies the stand-in into a folder of its own, as a registered Application Manager.
std::string InstallStandIn(const TempFolder& folder)
{
    std::string path = folder / "CEAppMgr.exe";
    CopyFileA(StandInExe().c_str(), path.c_str(), FALSE);
    return path;
}

TEST(AppManagerHandOff, StartsTheProgramOfTheSecondLookupWithBothIniFiles)
{
    TempFolder first, second, work;
    std::string firstProgram = InstallStandIn(first);
    std::string secondProgram = InstallStandIn(second);
    std::string record = work / "record.txt";
    ScopedEnvironment recordVariable(StandInRecordVariable, record);

    std::string installFolder = work / "Active Sync\\Orbelwick\\Korvane";
    CreateDirectoryA((work / "Active Sync").c_str(), nullptr);
    CreateDirectoryA((work / "Active Sync\\Orbelwick").c_str(), nullptr);
    CreateDirectoryA(installFolder.c_str(), nullptr);
    WriteWholeFile(installFolder + "\\Korvane.ini",
                   "[CEAppManager]\r\nVersion = 1.0\r\nComponent = Korvane\r\n\r\n[Korvane]\r\n"
                   "Description = Map viewer\r\nCabFiles = korvane.ARM.CAB\r\n");
    WriteWholeFile(installFolder + "\\KORVANE.arm.cab", "MSCF and more");

    AppPathsEntry entry;
    entry.SetText(firstProgram);
    EXPECT_EQ(firstProgram, ReadAppManagerPath().GetText());
    entry.SetText(secondProgram);  // the entry changes while the wizard runs
    DWORD reason = ERROR_SUCCESS;
    EXPECT_TRUE(LaunchAppManager(TextString(installFolder.c_str()), reason)) << reason;
    CloseAppManagerKey();

    ASSERT_TRUE(AwaitStandInRun(record, StandInTimeoutMs)) << "stand-in never ran";
    auto runs = ReadStandInRecord(record);
    ASSERT_EQ(1u, runs.size());
    const StandInRun& run = runs[0];
    EXPECT_EQ(secondProgram, run.Value("program"));
    EXPECT_EQ(HandOffArguments(installFolder), run.Value("arguments"));
    EXPECT_EQ((std::vector<std::string>{installFolder + "\\Korvane.ini",
                                        installFolder + "\\Common1.ini"}),
              run.Values("ini"));
    EXPECT_EQ((std::vector<std::string>{"1", "0"}), run.Values("ini.exists"));
    EXPECT_EQ("1.0", run.Value("ini.version"));
    EXPECT_EQ("Korvane", run.Value("ini.component"));
    EXPECT_EQ("Map viewer", run.Value("ini.description"));
    EXPECT_EQ("korvane.ARM.CAB", run.Value("cab"));
    EXPECT_EQ("1", run.Value("cab.exists"));
    EXPECT_EQ("13", run.Value("cab.size"));
    EXPECT_EQ("1", run.Value("cab.mscf"));
}

} // namespace
