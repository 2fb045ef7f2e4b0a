// The setup's check of its own file, as a user meets it: a copy with any one change, cut
// short or with bytes appended shows the damaged-file box before anything else, ends with
// a non-zero code, and makes, writes and starts nothing. Signing leaves the check intact.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "driver/WizardDriver.h"
#include "tests/support/TestSupport.h"

namespace {

// Where the code starts in the file: the first section's raw data.
size_t CodeOffset(const std::string& exe) { return HeadersOf(exe).Section(0).fileOffset; }

// The offset of the `nth` occurrence of `text`, or npos.
size_t Find(const std::string& exe, const std::string& text, int nth = 0)
{
    size_t at = exe.find(text);
    while (nth-- > 0 && at != std::string::npos)
        at = exe.find(text, at + 1);
    return at;
}

const std::string SzddMagic("SZDD\x88\xF0\x27\x33", 8);

// One byte of the copy changed, at the named place.
std::function<bool(std::string&)> FlipAt(std::function<size_t(const std::string&)> where)
{
    return [where](std::string& exe) {
        size_t at = where(exe);
        if (at == std::string::npos || at >= exe.size())
            return false;
        exe[at] = static_cast<char>(exe[at] ^ 0x20);
        return true;
    };
}

// The stand-in's ActiveSync folder, and a copy of a setup beside it.
class SetupFileCheck : public ::testing::Test, public StandInSite {
protected:
    SetupFileCheck() : copy(root / "KorvaneSetup.exe") {}

    // Runs the copy and expects the damaged-file box and nothing else: refused before the
    // registry is read, so the App Paths key the lookup would create stays missing.
    void ExpectRefused()
    {
        AppPathsEntry::Remove();
        ChildProcess setup(copy);
        ASSERT_TRUE(setup.Started());
        MessageBoxSeen box = AnswerMessageBox(setup.Id(), BoxTimeoutMs);
        EXPECT_TRUE(box.shown);
        EXPECT_EQ(SetupMessage::Damaged, box.text);
        EXPECT_EQ("", box.caption);
        EXPECT_FALSE(box.icon);
        EXPECT_EQ(SetupExit::Damaged, setup.WaitForExit(ExitTimeoutMs));
        EXPECT_FALSE(AppPathsEntry::Exists());
    }

    std::string copy;
};

TEST_F(SetupFileCheck, AnyDamageIsRefusedBeforeAnythingElse)
{
    const std::string built = ReadWholeFile(SetupExe());
    ASSERT_GT(built.size(), 4096u);
    ASSERT_TRUE(HeadersOf(built).IsValid());
    using Exe = const std::string&;
    const auto swapWords = [](std::string& exe) {
        size_t at = CodeOffset(exe) + 0x100;
        while (exe.compare(at, 2, exe, at + 2, 2) == 0)
            at += 2;
        std::swap(exe[at], exe[at + 2]);
        std::swap(exe[at + 1], exe[at + 3]);
        return true;
    };
    // clang-format off
    const struct {
        const char* what;
        std::function<bool(std::string&)> change;
    } changes[] = {
        {"a byte of code", FlipAt([](Exe exe) { return CodeOffset(exe) + 0x100; })},
        {"the COMMON1.INI resource", FlipAt([](Exe exe) { return Find(exe, "Description = Common Components"); })},
        {"the KORVANE.INI resource", FlipAt([](Exe exe) { return Find(exe, "Description = Orbelwick Korvane"); })},
        // The first SZDD mark is the expander's own constant; the cabinets follow.
        {"the first cabinet resource", FlipAt([](Exe exe) { return Find(exe, SzddMagic, 1) + 100; })},
        {"the second cabinet resource", FlipAt([](Exe exe) { return Find(exe, SzddMagic, 2) + 100; })},
        {"the names of the platform functions", FlipAt([](Exe exe) { return Find(exe, "GetDlgItem"); })},
        {"the string table", FlipAt([](Exe exe) { return Find(exe, {"I\0n\0s\0t\0a\0l\0a\0t\0i\0o\0n", 21}); })},
        {"the PE header's time stamp", FlipAt([](Exe exe) { return HeadersOf(exe).TimeStampField(); })},
        {"the PE checksum", FlipAt([](Exe exe) { return HeadersOf(exe).ChecksumField(); })},
        // Same words, other order: the PE checksum, a sum of words, cannot tell.
        {"two words of code swapped", swapWords},
        {"the file cut short by 4 bytes", [](std::string& exe) { return exe.resize(exe.size() - 4), true; }},
        {"16 bytes appended", [](std::string& exe) { return exe.append(16, '\0'), true; }},
    };
    // clang-format on
    for (const auto& change : changes) {
        SCOPED_TRACE(change.what);
        std::string damaged = built;
        ASSERT_TRUE(change.change(damaged)) << "the place was not found";
        ASSERT_TRUE(WriteWholeFile(copy, damaged));
        ExpectRefused();
    }
}

// The copies that the signed_copies fixture made with a throwaway certificate: the
// signed setup checks itself and runs the whole road; with one byte changed it is refused.
TEST_F(SetupFileCheck, ASignedSetupPassesItsCheckAndADamagedOneDoesNot)
{
    const std::string signedCopy = BinFolder() + "\\signed\\KorvaneSetup.exe";
    const std::string damagedCopy = BinFolder() + "\\signed\\KorvaneSetup-damaged.exe";
    ASSERT_TRUE(FileExists(signedCopy)) << "run the signed_copies fixture first";
    ASSERT_TRUE(CopyFileA(signedCopy.c_str(), copy.c_str(), FALSE));
    {
        WizardDriver wizard("", copy);
        ASSERT_TRUE(wizard.Opened()) << "the signed setup refused itself";
        EXPECT_EQ(0u, FinishRun(wizard).code);
        EXPECT_TRUE(AwaitStandInRun(record, ExitTimeoutMs)) << "no hand-off";
    }
    DeleteFileA(record.c_str());
    ASSERT_TRUE(CopyFileA(damagedCopy.c_str(), copy.c_str(), FALSE));
    ExpectRefused();
    EXPECT_FALSE(FileExists(record)) << "the damaged copy handed over";
}

}  // namespace
