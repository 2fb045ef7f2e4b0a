// The whole road as a user meets it: the real setup, through the wizard to Finish, then
// the install folder beside the Application Manager, the payload in it, and the hand-off.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WizardDriver.h"

namespace {

const DWORD ExitTimeoutMs = 20000;
const DWORD BoxTimeoutMs = 20000;
const DWORD RecordTimeoutMs = 10000;
const DWORD QuietMs = 1500;

// Each payload file and where its expected bytes come from.
struct PayloadFile {
    const char* name;
    const char* source;
};
const PayloadFile Payload[] = {
    {"COMMON1.INI", KORVANE_PAYLOAD_INI_DIR "/COMMON1.INI"},
    {"COMMON1_US.PPC_ARM.CAB", KORVANE_COMMON_CAB_SOURCE},
    {"KORVANE.INI", KORVANE_PAYLOAD_INI_DIR "/KORVANE.INI"},
    {"KORVANE_US.PPC_ARM.CAB", KORVANE_PRODUCT_CAB_SOURCE},
};

// An ActiveSync folder of a test's own, with the stand-in registered as its Application
// Manager; the install folder goes two levels below it.
class InstallTest : public ::testing::Test {
protected:
    InstallTest()
        : activeSync(root / "Active Sync"), installFolder(activeSync + "\\Orbelwick\\Korvane"),
          record(root / "appmgr.record"), recordVariable("KORVANE_STANDIN_RECORD", record)
    {
        CreateDirectoryA(activeSync.c_str(), nullptr);
        CopyFileA(StandInExe().c_str(), (activeSync + "\\CEAppMgr.exe").c_str(), FALSE);
        entry.SetText(activeSync + "\\CEAppMgr.exe");
    }

    // Walks the wizard to Finish and presses it; answers a message box if one comes.
    MessageBoxSeen Finish(bool expectBox = false)
    {
        WizardDriver wizard;
        EXPECT_TRUE(wizard.Opened());
        EXPECT_TRUE(wizard.WalkTo(FinishPage));
        EXPECT_TRUE(wizard.Press(FinishButton));
        MessageBoxSeen box;
        if (expectBox)
            box = AnswerMessageBox(wizard.Process().Id(), BoxTimeoutMs);
        EXPECT_EQ(0u, wizard.Process().WaitForExit(ExitTimeoutMs));
        return box;
    }

    void ExpectPayloadFile(const PayloadFile& file)
    {
        SCOPED_TRACE(file.name);
        const std::string expected = ReadWholeFile(file.source);
        ASSERT_FALSE(expected.empty()) << "no source at " << file.source;
        EXPECT_TRUE(expected == ReadWholeFile(installFolder + "\\" + file.name))
            << "the extracted file differs from its source";
    }

    AppPathsEntry entry;
    TempFolder root;
    std::string activeSync;
    std::string installFolder;
    std::string record;
    ScopedEnvironment recordVariable;
};

// Waits until the stand-in has recorded `count` whole runs.
std::vector<StandInRun> AwaitRuns(const std::string& record, size_t count)
{
    for (DWORD waited = 0; waited < RecordTimeoutMs; waited += 50) {
        if (ReadStandInRecord(record).size() >= count && WaitForFileEnding(record, "end\r\n", 0))
            break;
        Sleep(50);
    }
    return ReadStandInRecord(record);
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(InstallTest, FinishExtractsThePayloadAndHandsItToTheApplicationManager)
{
    const std::vector<std::string> payloadNames = {"COMMON1.INI", "COMMON1_US.PPC_ARM.CAB",
                                                   "KORVANE.INI", "KORVANE_US.PPC_ARM.CAB"};
    for (size_t run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        MessageBoxSeen box = Finish();
        EXPECT_FALSE(box.shown);
        EXPECT_EQ(payloadNames, Sorted(FolderNames(installFolder))) << "and no .zip left";
        for (const PayloadFile& file : Payload)
            ExpectPayloadFile(file);

        auto runs = AwaitRuns(record, run);
        ASSERT_EQ(run, runs.size());
        const StandInRun& handOff = runs.back();
        EXPECT_EQ("\"" + installFolder + "\\Korvane.ini\" \"" + installFolder + "\\Common1.ini\"",
                  handOff.Value("arguments"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("ini.exists"));
        EXPECT_EQ((std::vector<std::string>{"1.0", "1.0"}), handOff.Values("ini.version"));
        EXPECT_EQ((std::vector<std::string>{"Korvane", "CommonComponents"}),
                  handOff.Values("ini.component"));
        EXPECT_EQ((std::vector<std::string>{"Korvane_US.ppc_arm.cab", "Common1_US.ppc_arm.cab"}),
                  handOff.Values("cab"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("cab.exists"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("cab.mscf"));
        EXPECT_EQ((std::vector<std::string>{
                      std::to_string(ReadWholeFile(KORVANE_PRODUCT_CAB_SOURCE).size()),
                      std::to_string(ReadWholeFile(KORVANE_COMMON_CAB_SOURCE).size())}),
                  handOff.Values("cab.size"));
    }
}

TEST_F(InstallTest, LeftoversOfAnEarlierRunAreReplacedAndOtherFilesKept)
{
    CreateDirectoryA((activeSync + "\\Orbelwick").c_str(), nullptr);
    CreateDirectoryA(installFolder.c_str(), nullptr);
    const std::string stale = installFolder + "\\KORVANE.INI";
    const std::string temporary = installFolder + "\\COMMON1_US.PPC_ARM.CAB.zip";
    const std::string notes = installFolder + "\\notes.txt";
    for (const std::string& path : {stale, temporary, notes}) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        WriteFile(file, "left over", 9, &written, nullptr);
        CloseHandle(file);
    }
    SetFileAttributesA(stale.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_FALSE(Finish().shown);
    for (const PayloadFile& file : Payload)
        ExpectPayloadFile(file);
    EXPECT_FALSE(FileExists(temporary));
    EXPECT_EQ("left over", ReadWholeFile(notes));
    EXPECT_EQ(1u, AwaitRuns(record, 1).size());
}

TEST_F(InstallTest, AFileWhereAParentFolderShouldBeStopsTheInstallation)
{
    const std::string blocker = activeSync + "\\Orbelwick";
    HANDLE file = CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);

    MessageBoxSeen box = Finish(true);
    ASSERT_TRUE(box.shown);
    EXPECT_EQ("Unable to create the folder.", box.text);
    EXPECT_EQ("", box.caption);
    EXPECT_FALSE(box.icon);
    EXPECT_FALSE(GetFileAttributesA(blocker.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "still a file";
    Sleep(QuietMs);
    EXPECT_FALSE(FileExists(record)) << "the Application Manager was started";
}

TEST_F(InstallTest, APayloadFileThatCannotBeWrittenKeepsTheApplicationManagerFromStarting)
{
    CreateDirectoryA((activeSync + "\\Orbelwick").c_str(), nullptr);
    CreateDirectoryA(installFolder.c_str(), nullptr);
    CreateDirectoryA((installFolder + "\\KORVANE.INI").c_str(), nullptr);

    MessageBoxSeen box = Finish(true);
    ASSERT_TRUE(box.shown);
    EXPECT_EQ("Unable to extract the installation files.", box.text);
    EXPECT_EQ("", box.caption);
    EXPECT_FALSE(box.icon);
    for (const PayloadFile& file : Payload)
        if (std::string(file.name) != "KORVANE.INI")
            ExpectPayloadFile(file);
    EXPECT_EQ((std::vector<std::string>{"COMMON1.INI", "COMMON1_US.PPC_ARM.CAB", "KORVANE.INI",
                                        "KORVANE_US.PPC_ARM.CAB"}),
              Sorted(FolderNames(installFolder)))
        << "the three files, the folder in the way, and no .zip";
    Sleep(QuietMs);
    EXPECT_FALSE(FileExists(record)) << "the Application Manager got an incomplete payload";
}

} // namespace
