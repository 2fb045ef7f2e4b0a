// How each run of the real setup ends, as a script and a user see it: the exit code, the
// one box that says why, what is left on disk and what the Application Manager was given.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/WizardDriver.h"
#include "tests/support/TestSupport.h"

namespace {

// The stand-in's ActiveSync folder, the program a road starts, and Wine's setting for it.
struct World : StandInSite {
    std::string program = SetupExe();
    bool renamedAtStart = false;  // the program's file renamed before its first instruction
    std::optional<WineAppDefault> setting;
};

TEST(OutcomeTest, EveryRoadEndsWithItsOwnExitCode)
{
    using Change = void (*)(World&);
    const Change deleteAppManager = [](World& world) { DeleteFileA(world.appManager.c_str()); };
    const Change removeEntry = [](World&) { AppPathsEntry::Remove(); };
    // A device name inside a real folder, which Wine reports as an existing file.
    const Change nulInFolder = [](World& w) { w.entry.SetText(w.activeSync + "\\NUL"); };
    const Change folder = [](World& world) { world.entry.SetText(world.activeSync); };
    const Change makerFile = [](World& w) { WriteWholeFile(w.activeSync + "\\Orbelwick", ""); };
    // The copy's check finds no file at the path the loader gave: unreadable, not damaged.
    const Change renamed = [](World& w) {
        w.program = w.root / "KorvaneSetup.exe";
        w.renamedAtStart = CopyFileA(SetupExe().c_str(), w.program.c_str(), FALSE);
    };
    // Wine loads no comctl32 for the setup: the program's own setting, since Wine drops
    // WINEDLLOVERRIDES from the environment a Windows program hands on.
    const Change noCommonControls = [](World& w) {
        w.setting.emplace("KorvaneSetup.exe", "DllOverrides", "comctl32", "");
    };
    // clang-format off
    const struct {
        const char* road;
        Change beforeStart;  // the wizard is walked to Finish only when this is null
        Change atFinish;
        DWORD code;
        const char* caption;    // null: whether a box came is not asked (none shows there)
        const char* firstLine;  // of the one box, or null for none
        bool reason;
        bool icon;
        std::vector<std::string> activeSyncAfter;
        size_t handOffs;
    } roads[] = {
        {"the entry names a missing file", deleteAppManager, nullptr, SetupExit::ActiveSyncMissing,
         ErrorCaption, SetupMessage::ActiveSyncMissing, false, true, {}, 0},
        {"the entry names NUL in a real folder", nulInFolder, nullptr,
         SetupExit::ActiveSyncMissing, ErrorCaption, SetupMessage::ActiveSyncMissing, false, true,
         {"CEAppMgr.exe"}, 0},
        {"the entry names a folder", folder, nullptr, SetupExit::ActiveSyncMissing, ErrorCaption,
         SetupMessage::ActiveSyncMissing, false, true, {"CEAppMgr.exe"}, 0},
        {"the entry removed while the wizard runs", nullptr, removeEntry, SetupExit::HandOffFailed,
         "", SetupMessage::HandOffFailed, true, false, {"CEAppMgr.exe", "Orbelwick"}, 0},
        {"the Application Manager deleted while the wizard runs", nullptr, deleteAppManager,
         SetupExit::HandOffFailed, "", SetupMessage::HandOffFailed, true, false, {"Orbelwick"}, 0},
        {"a file where the maker's folder goes", nullptr, makerFile, SetupExit::FolderFailed, "",
         SetupMessage::FolderFailed, true, false, {"CEAppMgr.exe", "Orbelwick"}, 0},
        {"the setup's file unreadable", renamed, nullptr, SetupExit::Unreadable, "",
         SetupMessage::Unreadable, true, false, {"CEAppMgr.exe"}, 0},
        {"no common controls", noCommonControls, nullptr, SetupExit::WizardFailed, nullptr,
         nullptr, false, false, {"CEAppMgr.exe"}, 0},
        {"installed and handed off", nullptr, nullptr, SetupExit::Installed, "", nullptr, false,
         false, {"CEAppMgr.exe", "Orbelwick"}, 1},
    };
    // clang-format on
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        World world;
        RunEnding ending;
        if (road.beforeStart) {
            road.beforeStart(world);
            ChildProcess setup(world.program, "", "", world.renamedAtStart);
            if (world.renamedAtStart) {
                ASSERT_TRUE(MoveFileA(world.program.c_str(), (world.root / "renamed.exe").c_str()))
                    << "the file of a suspended process cannot be renamed: " << GetLastError();
                ASSERT_TRUE(setup.Resume());
            }
            ending = WatchToTheEnd(setup);
            EXPECT_FALSE(ending.wizardShown);
        } else {
            // From a folder outside the ANSI code page, which an ANSI path spells with "?".
            const std::string folder = world.root / "ダウンロード";
            const std::string copy = folder + "\\セットアップ.exe";
            ASSERT_TRUE(CreateFolderUtf8(folder) && CopyFileUtf8(SetupExe(), copy));
            WizardDriver wizard("", copy, folder);
            ending = FinishRun(wizard, [&] {
                if (road.atFinish)
                    road.atFinish(world);
            });
            EXPECT_TRUE(ending.pressed);
        }
        EXPECT_EQ(road.code, ending.code);
        if (road.caption)
            ASSERT_EQ(road.firstLine ? 1u : 0u, ending.boxes.size()) << ending.Box().text;
        if (road.caption && road.firstLine) {
            const MessageBoxSeen box = ending.Box();
            EXPECT_EQ(road.caption, box.caption);
            EXPECT_EQ(road.firstLine, FirstLine(box.text));
            EXPECT_EQ(road.reason, SecondLine(box.text) != "") << box.text;
            EXPECT_EQ(road.icon, box.icon);
        }
        EXPECT_EQ(road.activeSyncAfter, FolderNames(world.activeSync));
        const std::vector<StandInRun> runs = world.Runs(road.handOffs, ExitTimeoutMs);
        ASSERT_EQ(road.handOffs, runs.size());
        for (const StandInRun& run : runs)
            EXPECT_EQ("1", run.Value(StandInField::Show)) << "started in the normal show state";
    }
}

TEST(OutcomeTest, ASecondCopyBringsTheFirstToTheFrontAndEnds)
{
    World world;
    WizardDriver first;
    ASSERT_TRUE(first.Opened());
    // A window of the test's own in front, for the second copy to put the wizard before.
    HWND front = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 300, 200, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(front);
    ASSERT_EQ(front, GetForegroundWindow());

    ChildProcess second(SetupExe());
    const RunEnding ending = WatchToTheEnd(second);
    EXPECT_EQ(SetupExit::AlreadyRunning, ending.code);
    EXPECT_FALSE(ending.windowShown) << "the second copy showed a window of its own";
    WaitUntil(QuietMs, [&] { return GetForegroundWindow() == first.Sheet(); });
    EXPECT_EQ(first.Sheet(), GetForegroundWindow()) << "the first copy was not brought forward";
    DestroyWindow(front);

    EXPECT_EQ(0u, FinishRun(first).code) << "the first copy stopped working";
    EXPECT_EQ(1u, world.Runs(1, ExitTimeoutMs).size());
}

}  // namespace
