// The Application Manager lookup and the install folder beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/AppManager.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Lookup()
{
    TextString path = ReadAppManagerPath();
    CloseAppManagerKey();
    return path.GetText();
}

TEST(AppManagerLookup, ReadsTheRegisteredPath)
{
    const std::string windows = std::getenv("windir");  // what %windir% expands to
    struct {
        const char* what;
        DWORD type;  // REG_NONE: no value at all
        std::string stored;
        std::string path;
    } const cases[] = {
        {"plain path", REG_SZ, "C:\\AS\\CEAppMgr.exe", "C:\\AS\\CEAppMgr.exe"},
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
    EXPECT_EQ(0u, AppPathsEntry::Content());
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        AppPathsEntry entry;
        entry.SetText(c.stored);
        TextString folder(Lookup().c_str());
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
        entry.SetText("C:\\32\\CEAppMgr.exe", KEY_WOW64_32KEY);
        entry.SetText("C:\\64\\CEAppMgr.exe", KEY_WOW64_64KEY);
        EXPECT_EQ("C:\\32\\CEAppMgr.exe", Lookup());
    }
}

}  // namespace
