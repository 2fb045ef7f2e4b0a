// The install as a user meets it: the real setup through the wizard to Finish, then the
// install folder beside the Application Manager, the payload in it, and the hand-off; and
// the re-installs that cannot complete, which keep the previous set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/exe/ActiveSyncSite.h"

namespace {

class InstallTest : public ::testing::Test, public ActiveSyncSite {};

// Twice: first over what an earlier run left (a read-only hidden payload file, a temporary
// of the expansion, a file of the user's), then over its own install.
TEST_F(InstallTest, FinishExtractsThePayloadAndHandsItToTheApplicationManager)
{
    CreateDirectoryA((activeSync + "\\Orbelwick").c_str(), nullptr);
    CreateDirectoryA(installFolder.c_str(), nullptr);
    for (const char* name : {"KORVANE.INI", "COMMON1_US.PPC_ARM.CAB.zip", "notes.txt"})
        WriteWholeFile(installFolder + "\\" + name, "left over");
    SetFileAttributesA((installFolder + "\\KORVANE.INI").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    std::vector<std::string> names(std::begin(PayloadNames), std::end(PayloadNames));
    names.push_back("notes.txt");
    std::sort(names.begin(), names.end());
    for (size_t run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        MessageBoxSeen box = Finish();
        EXPECT_FALSE(box.shown);
        EXPECT_EQ(std::vector<std::string>{"Korvane"}, FolderNames(activeSync + "\\Orbelwick"));
        EXPECT_EQ(names, FolderNames(installFolder)) << "and no .zip left";
        EXPECT_EQ("left over", ReadWholeFile(installFolder + "\\notes.txt"));
        ExpectPayload();

        auto runs = Runs(run, RecordTimeoutMs);
        ASSERT_EQ(run, runs.size());
        const StandInRun& handOff = runs.back();
        EXPECT_EQ("1", handOff.Value(StandInField::Show))
            << "started hidden, where it may ask a question";
        EXPECT_EQ(HandOffArguments(installFolder), handOff.Value(StandInField::Arguments));
        // What the INI files and cabinets hold is the payload's, compared above; the
        // stand-in saw them in place and whole when it started.
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values(StandInField::IniExists));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values(StandInField::CabMscf));
    }
}

// A flip of the middle byte of a payload file's staged copy, as its flush makes it durable:
// the length stays right, the bytes do not.
std::string FlipOfStaged(const char* name)
{
    return std::string(CutFlip) + " " + CallName(Call::FlushFileBuffers) + " " + name + " 1";
}

// Ways a re-install cannot complete: a folder where a payload file goes, a payload file
// held open (as by the Application Manager of the last run), a staged file whose bytes
// changed on their way to the disk (a cabinet expanded by LZ32, an INI file copied), a
// setup whose record of a file differs from it (in both halves, or in one alone).
struct Obstacle {
    const char* what;
    const char* obstacle;  // a folder of this name in the install folder, or null
    const char* held;      // a payload file held open without sharing, or null
    std::string program;
    DWORD reason;     // Windows' reason, the one the failure gave; none (the content's fault): 0
    std::string cut;  // the file-call cutter's rule, or none
};

std::vector<Obstacle> Obstacles()
{
    const std::string bin = BinFolder() + "\\";
    return {
        {"a folder in a payload file's place", "KORVANE.INI", nullptr, SetupExe(),
         ERROR_ALREADY_EXISTS},
        {"the last payload file held open", nullptr, PayloadNames[PayloadCount - 1], SetupExe(),
         ERROR_SHARING_VIOLATION},
        {"the first payload file held open", nullptr, PayloadNames[0], SetupExe(),
         ERROR_SHARING_VIOLATION},
        {"a staged cabinet's bytes changed", nullptr, nullptr, SetupExe(), 0,
         FlipOfStaged(PayloadNames[PayloadCount - 1])},
        {"a staged INI file's bytes changed", nullptr, nullptr, SetupExe(), 0,
         FlipOfStaged("KORVANE.INI")},
        {"an extracted file unlike its record", nullptr, nullptr, bin + "MisrecordedSetup.exe", 0},
        {"a record whose CRC alone differs", nullptr, nullptr, bin + "CrcMisrecordedSetup.exe", 0},
        {"a record whose length alone differs", nullptr, nullptr,
         bin + "LengthMisrecordedSetup.exe", 0},
    };
}

// Over a previous set, which stays whole and unchanged; the failure is said, and nothing
// is handed over.
TEST_F(InstallTest, AReinstallThatCannotCompleteKeepsThePreviousSet)
{
    for (const Obstacle& c : Obstacles()) {
        SCOPED_TRACE(c.what);
        WritePreviousSet();
        if (c.obstacle) {
            DeleteFileA((installFolder + "\\" + c.obstacle).c_str());
            CreateDirectoryA((installFolder + "\\" + c.obstacle).c_str(), nullptr);
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.held)
            held = CreateFileA((installFolder + "\\" + c.held).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        MessageBoxSeen box = Finish(SetupExit::ExtractionFailed, c.program, c.cut);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(SetupMessage::ExtractionFailed, FirstLine(box.text));
        // The reason of the failure itself, whatever the roll-back after it met.
        EXPECT_EQ(c.reason ? SystemReason(c.reason) : "", SecondLine(box.text)) << box.text;
        EXPECT_EQ("", box.caption);
        EXPECT_FALSE(box.icon);
        ExpectPreviousSet(c.obstacle);
        if (c.obstacle)
            RemoveDirectoryA((installFolder + "\\" + c.obstacle).c_str());
    }
    EXPECT_EQ(0u, Runs(0, 0).size()) << "the Application Manager got an incomplete payload";
}

// A first install whose staged content is bad publishes nothing: the install folder holds
// no payload file, and nothing in transit is left beside it.
TEST_F(InstallTest, AFirstInstallWithBadContentPublishesNothing)
{
    for (const Obstacle& c : Obstacles()) {
        if (c.reason || c.obstacle || c.held)
            continue;
        SCOPED_TRACE(c.what);
        Finish(SetupExit::ExtractionFailed, c.program, c.cut);
        EXPECT_EQ(std::vector<std::string>{}, FolderNames(installFolder));
        EXPECT_EQ(std::vector<std::string>{"Korvane"}, FolderNames(activeSync + "\\Orbelwick"))
            << "the sets in transit were left behind";
    }
    EXPECT_EQ(0u, Runs(0, 0).size()) << "the Application Manager got an incomplete payload";
}

// Every install folder whose longest file path Windows allows (259 characters and its
// NUL): the sets in transit never need a longer one.
TEST(LongFolder, InstallsWhereverTheLongestPathFitsWindowsLimit)
{
    for (size_t longest : {150u, 240u, 259u}) {
        SCOPED_TRACE(longest);
        ActiveSyncSite site("", longest);
        ASSERT_EQ(longest, (site.installFolder + "\\" + LongestPayloadName()).size());
        EXPECT_FALSE(site.Finish().shown);
        site.ExpectPayload();
        EXPECT_EQ(1u, site.Runs(1, RecordTimeoutMs).size());
    }
}

// A re-install onto a full disk (a small tmpfs, mounted by the test fixture as root)
// fails before it touches the previous set, and says that the disk is full.
class FullDiskTest : public ::testing::Test, public ActiveSyncSite {
protected:
    FullDiskTest() : ActiveSyncSite(FullDisk()) {}
    static std::string FullDisk()
    {
        const char* folder = std::getenv(Variable::FullDisk);
        return folder && FileExists(std::string(folder) + "\\mounted") ? folder : "";
    }
};

TEST_F(FullDiskTest, AReinstallOnAFullDiskKeepsThePreviousSet)
{
    if (FullDisk().empty())
        GTEST_SKIP() << "no full disk: mounting a tmpfs needs root (see tests/full-disk.sh)";
    WritePreviousSet();
    const std::string filler = root / "filler";
    HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
           written == block.size()) {
    }
    CloseHandle(file);

    MessageBoxSeen box = Finish(SetupExit::ExtractionFailed);
    EXPECT_EQ(SetupMessage::ExtractionFailed, FirstLine(box.text));
    EXPECT_EQ(SystemReason(ERROR_DISK_FULL), SecondLine(box.text));
    DeleteFileA(filler.c_str());
    ExpectPreviousSet();
    EXPECT_EQ(0u, Runs(0, 0).size());
}

}  // namespace
