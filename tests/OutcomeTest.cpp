// How each run of the real setup ends, as a script and a user see it: the exit code, the
// one box that says why, what is left on disk and what the Application Manager was given.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WizardDriver.h"

namespace {

const DWORD ExitTimeoutMs = 20000;
const DWORD PollMs = 50;
const DWORD QuietMs = 1500;
const char ActiveSyncMissing[] =
    "Mirosoft ActiveSync is not installed on your PC. Install it first and then run the setup "
    "again.";
const char HandOffFailed[] = "Unable to start the Windows CE Application Manager.";

// Control ids of the platform's message box.
const int MessageBoxTextId = 0xFFFF;
const int MessageBoxIconId = 0x440;

// An ActiveSync folder of the test's own, with the stand-in registered as its Application
// Manager and recording into a file beside it.
struct World {
    World()
        : activeSync(root / "Active Sync"), appManager(activeSync + "\\CEAppMgr.exe"),
          record(root / "appmgr.record"), recordVariable("KORVANE_STANDIN_RECORD", record)
    {
        CreateDirectoryA(activeSync.c_str(), nullptr);
        CopyFileA(StandInExe().c_str(), appManager.c_str(), FALSE);
        entry.SetText(appManager);
    }

    std::vector<std::string> ActiveSyncNames() const
    {
        std::vector<std::string> names = FolderNames(activeSync);
        std::sort(names.begin(), names.end());
        return names;
    }

    // The stand-in's runs, once a hand-off (if any) has had time to be recorded.
    std::vector<StandInRun> Runs(size_t expected) const
    {
        if (expected == 0 || !WaitForFileEnding(record, "end\r\n", ExitTimeoutMs))
            Sleep(QuietMs);
        return ReadStandInRecord(record);
    }

    AppPathsEntry entry;
    TempFolder root;
    std::string activeSync;
    std::string appManager;
    std::string record;
    ScopedEnvironment recordVariable;
};

struct Box {
    std::string caption;
    std::string text;
    bool icon;
    bool besideWizard;
};

// What a run showed until it ended: every message box (each answered with OK) and
// whether the wizard was ever on screen while it was watched.
struct Ending {
    DWORD code = STILL_ACTIVE;
    std::vector<Box> boxes;
    bool wizardShown = false;
};

HWND FindMessageBox(DWORD processId)
{
    for (HWND window : VisibleTopWindows(processId)) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, MessageBoxTextId) &&
            WindowText(window) != WizardTitle)
            return window;
    }
    return nullptr;
}

Ending WatchToTheEnd(ChildProcess& setup)
{
    Ending ending;
    for (DWORD waited = 0; waited < ExitTimeoutMs; waited += PollMs) {
        if (WaitForSingleObject(setup.Handle(), 0) != WAIT_TIMEOUT)
            break;
        bool wizard = WaitForWindow(setup.Id(), "#32770", WizardTitle, 0) != nullptr;
        ending.wizardShown |= wizard;
        if (HWND box = FindMessageBox(setup.Id())) {
            // Wine keeps the icon control of a box without icon, but empty.
            HWND icon = GetDlgItem(box, MessageBoxIconId);
            bool hasIcon = icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0);
            ending.boxes.push_back(
                {WindowText(box), WindowText(GetDlgItem(box, MessageBoxTextId)), hasIcon, wizard});
            PressButton(GetDlgItem(box, IDOK));
            for (DWORD gone = 0; IsWindow(box) && gone < ExitTimeoutMs; gone += PollMs)
                Sleep(PollMs);
        }
        Sleep(PollMs);
    }
    ending.code = setup.WaitForExit(0);
    return ending;
}

// A box's lines: the program's own words, then Windows' reason.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    return lines;
}

void ExpectOneBox(const Ending& ending, const char* caption, const char* firstLine, bool reason,
                  bool icon)
{
    std::string all;
    for (const Box& box : ending.boxes)
        all += "[" + box.caption + ": " + box.text + "] ";
    ASSERT_EQ(firstLine ? 1u : 0u, ending.boxes.size()) << all;
    if (!firstLine)
        return;
    const Box& box = ending.boxes.front();
    EXPECT_EQ(caption, box.caption);
    const std::vector<std::string> lines = Lines(box.text);
    EXPECT_EQ(firstLine, lines[0]);
    EXPECT_EQ(reason, lines.size() > 1 && !lines[1].empty()) << "Windows' reason: " << box.text;
    EXPECT_EQ(icon, box.icon);
    EXPECT_FALSE(box.besideWizard) << "the box came with the wizard on screen";
}

TEST(OutcomeTest, EveryRoadEndsWithItsOwnExitCode)
{
    using Change = void (*)(World&);
    const Change deleteAppManager = [](World& world) { DeleteFileA(world.appManager.c_str()); };
    const Change removeEntry = [](World&) { AppPathsEntry::Remove(); };
    const struct {
        const char* road;
        Change beforeStart;  // the wizard is walked to Finish only when this is null
        Change atFinish;
        DWORD code;
        const char* caption;
        const char* firstLine;  // of the one box, or null for none
        bool reason;
        bool icon;
        std::vector<std::string> activeSyncAfter;
        size_t handOffs;
    } roads[] = {
        {"the entry names a missing file", deleteAppManager, nullptr, 15613, "Error",
         ActiveSyncMissing, false, true, {}, 0},
        {"the entry removed while the wizard runs", nullptr, removeEntry, 1627, "", HandOffFailed,
         true, false, {"CEAppMgr.exe", "Orbelwick"}, 0},
        {"the Application Manager deleted while the wizard runs", nullptr, deleteAppManager, 1627,
         "", HandOffFailed, true, false, {"Orbelwick"}, 0},
        {"installed and handed off", nullptr, nullptr, 0, "", nullptr, false, false,
         {"CEAppMgr.exe", "Orbelwick"}, 1},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        World world;
        std::unique_ptr<ChildProcess> started;
        std::unique_ptr<WizardDriver> wizard;
        if (road.beforeStart) {
            road.beforeStart(world);
            started.reset(new ChildProcess(SetupExe()));
        } else {
            wizard.reset(new WizardDriver());
            ASSERT_TRUE(wizard->Opened());
            ASSERT_TRUE(wizard->WalkTo(FinishPage));
            if (road.atFinish)
                road.atFinish(world);
            ASSERT_TRUE(wizard->Press(FinishButton));
        }
        ChildProcess& setup = wizard ? wizard->Process() : *started;
        const Ending ending = WatchToTheEnd(setup);
        EXPECT_EQ(road.code, ending.code);
        if (road.beforeStart)
            EXPECT_FALSE(ending.wizardShown);
        ExpectOneBox(ending, road.caption, road.firstLine, road.reason, road.icon);
        EXPECT_EQ(road.activeSyncAfter, world.ActiveSyncNames());
        const std::vector<StandInRun> runs = world.Runs(road.handOffs);
        ASSERT_EQ(road.handOffs, runs.size());
        for (const StandInRun& run : runs)
            EXPECT_EQ("1", run.Value("show")) << "started in the normal show state";
    }
}

} // namespace
