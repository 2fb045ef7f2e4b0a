// Installation pieces in process: the install folder, the LZ32 expansion and the
// replacement of the whole set.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "app/ProcessState.h"
#include "app/SetupApplication.h"
#include "install/FileExpansion.h"
#include "install/InstallFolder.h"
#include "install/PayloadDigest.h"
#include "install/PayloadExtractor.h"
#include "support/SystemMessage.h"
#include "tests/support/TestSupport.h"

namespace {

using SetupMessage::FolderFailed;
using SetupMessage::InvalidFolder;

// The messages of the program's own string table, for the calls made in this process.
class WithSetupStrings : public ::testing::Test {
protected:
    void SetUp() override
    {
        setup = LoadLibraryExA(SetupExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        AppInstance = setup;
    }
    void TearDown() override
    {
        AppInstance = nullptr;
        FreeLibrary(setup);
    }
    HMODULE setup = nullptr;
};

// Runs `call` while another thread answers any message box it shows.
MessageBoxSeen WhileAnsweringBoxes(const std::function<void()>& call)
{
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    MessageBoxSeen seen;
    std::thread watcher(
        [&] { seen = AnswerMessageBox(GetCurrentProcessId(), BoxTimeoutMs, done); });
    call();
    SetEvent(done);
    watcher.join();
    CloseHandle(done);
    return seen;
}

using InstallFolderTest = WithSetupStrings;

TEST_F(InstallFolderTest, PreparesTheFolderOrSaysWhyNot)
{
    struct {
        const char* what;
        std::function<void(const TempFolder&)> arrange;
        std::string path;  // below the temporary folder; "" and "\\" as they are
        bool ready;
        const char* message;     // null: no box
        std::string folderMade;  // below the temporary folder; "": none
        bool reason = false;     // Windows' reason on a second line
    } const cases[] = {
        {"empty", nullptr, "", false, InvalidFolder, ""},
        {"a lone backslash", nullptr, "\\", false, InvalidFolder, ""},
        {"existing, trailing backslash",
         [](const TempFolder& t) { CreateDirectoryA((t / "K").c_str(), nullptr); }, "K\\", true,
         nullptr, "K"},
        {"two missing levels", nullptr, "Orbelwick\\Korvane", true, nullptr, "Orbelwick\\Korvane"},
        {"a file of the folder's name", [](const TempFolder& t) { WriteWholeFile(t / "K", "x"); },
         "K", false, FolderFailed, "", true},
        {"a file where a parent should be",
         [](const TempFolder& t) { WriteWholeFile(t / "Orbelwick", "x"); }, "Orbelwick\\Korvane",
         false, FolderFailed, "", true},
        {"a name no folder can have", nullptr, "bad|name\\Korvane", false, FolderFailed, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder root;
        if (c.arrange)
            c.arrange(root);
        const std::string path = c.path.empty() || c.path == "\\" ? c.path : root / c.path;
        bool ready = false;
        MessageBoxSeen box =
            WhileAnsweringBoxes([&] { ready = PrepareInstallFolder(path.c_str(), nullptr); });
        EXPECT_EQ(c.ready, ready);
        EXPECT_EQ(c.message != nullptr, box.shown);
        if (c.message && box.shown) {
            EXPECT_EQ(c.message, FirstLine(box.text));
            EXPECT_EQ(c.reason, SecondLine(box.text) != "") << box.text;
            EXPECT_EQ("", box.caption);
            EXPECT_FALSE(box.icon);
        }
        if (!c.folderMade.empty())
            EXPECT_TRUE(IsFolder(TextString((root / c.folderMade).c_str())));
    }
}

// An SZDD stream of 5 literals: one flag byte with its five low bits set.
std::string Szdd(const std::string& literals, uint32_t statedLength, char mode = 'A')
{
    std::string header = std::string("SZDD\x88\xF0\x27\x33", 8) + mode + '\0';
    for (int shift = 0; shift < 32; shift += 8)
        header += static_cast<char>(statedLength >> shift);
    return header + static_cast<char>((1 << literals.size()) - 1) + literals;
}

TEST(FileExpansion, ExpandsOrCopiesAndReportsAnythingShort)
{
    const std::string deep(150, 'x');  // a target path past the 128 characters of OFSTRUCT
    struct {
        const char* what;
        std::string source;  // empty: no source file at all
        std::string target;  // below the temporary folder
        std::string folder;  // a folder made there first, or ""
        DWORD reason;        // ERROR_SUCCESS: the whole content arrives
        std::string expanded;
    } const cases[] = {
        {"plain text is copied", "plain text", "target", "", ERROR_SUCCESS, "plain text"},
        {"a short plain file is copied", "abc", "target", "", ERROR_SUCCESS, "abc"},
        {"SZDD is expanded", Szdd("hello", 5), "target", "", ERROR_SUCCESS, "hello"},
        {"a stream shorter than its header says", Szdd("hello", 9), "target", "", ContentFault},
        {"bytes after the stream", Szdd("hello", 5) + "xx", "target", "", ContentFault},
        {"a mode LZ32 does not know", Szdd("hello", 5, 'B'), "target", "", ContentFault},
        {"no source", "", "target", "", ERROR_FILE_NOT_FOUND},
        {"no folder for the target", "plain", "missing\\target", "", ERROR_PATH_NOT_FOUND},
        {"a long target path", "plain", deep + "\\target", deep, ERROR_SUCCESS, "plain"},
        {"a folder in the target's place", "plain", "target", "target", ERROR_ACCESS_DENIED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        const std::string source = folder / "source", target = folder / c.target;
        if (!c.source.empty())
            WriteWholeFile(source, c.source);
        if (!c.folder.empty())
            CreateDirectoryA((folder / c.folder).c_str(), nullptr);
        DWORD reason = ERROR_SUCCESS;
        EXPECT_EQ(c.reason == ERROR_SUCCESS, ExpandFile(source.c_str(), target.c_str(), reason));
        if (c.reason == ERROR_SUCCESS)
            EXPECT_EQ(c.expanded, ReadWholeFile(target));
        else
            EXPECT_EQ(c.reason, reason);
        EXPECT_FALSE(FileExists(folder / "targe_")) << "a stray compressed-name file";
    }
}

using PayloadSetTest = WithSetupStrings;

// The set is replaced whole or not at all, and nothing in transit stays: also after an
// earlier run that ended while the sets were in transit (one previous file in "~o", a
// temporary in "~n").
TEST_F(PayloadSetTest, ReplacesTheWholeSetOrKeepsThePreviousOne)
{
    const std::string lastFile = std::string("Korvane\\") + PayloadNames[PayloadCount - 1];
    struct {
        const char* what;
        bool interrupted;  // an earlier run left KORVANE.INI in "~o"
        const char* held;  // a file below the maker's folder held open without sharing
        bool installed;
    } const cases[] = {
        {"the last file held open", false, lastFile.c_str(), false},
        {"an interrupted earlier run, then a held file", true, "Korvane\\COMMON1_US.PPC_ARM.CAB",
         false},
        // The new set cannot even be made: only the clearing of leftovers puts KORVANE.INI back.
        {"an interrupted earlier run, then its temporary held", true, "~n\\COMMON1.INI.zip", false},
        {"an interrupted earlier run", true, nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder root;
        const std::string maker = root / "Orbelwick";
        const std::string folder = maker + "\\Korvane";
        CreateDirectoryA(maker.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* name : PayloadNames)
            WriteWholeFile(folder + "\\" + name, std::string("previous ") + name);
        if (c.interrupted) {
            CreateDirectoryA((maker + "\\~o").c_str(), nullptr);
            CreateDirectoryA((maker + "\\~n").c_str(), nullptr);
            MoveFileA((folder + "\\KORVANE.INI").c_str(), (maker + "\\~o\\KORVANE.INI").c_str());
            WriteWholeFile(maker + "\\~n\\COMMON1.INI.zip", "half");
        }
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.held)
            held = CreateFileA((maker + "\\" + c.held).c_str(), GENERIC_READ, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        ASSERT_EQ(c.held != nullptr, held != INVALID_HANDLE_VALUE);
        SetupApplication application;
        application.InstallFolder.Assign(folder.c_str());
        DWORD reason = ExtractPayload(application);
        EXPECT_EQ(c.installed, reason == ERROR_SUCCESS);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        if (c.held)
            EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), reason);
        if (c.held && c.held[0] == '~') {  // the test's own file, which nothing could remove
            DeleteFileA((maker + "\\" + c.held).c_str());
            RemoveDirectoryA((maker + "\\~n").c_str());
        }
        for (const char* name : PayloadNames) {
            const std::string path = folder + "\\" + name;
            if (c.installed)
                EXPECT_EQ(0u, CompareWithPayloadDigest(path.c_str(), setup, name)) << name;
            else
                EXPECT_EQ(std::string("previous ") + name, ReadWholeFile(path));
        }
        EXPECT_EQ(std::vector<std::string>{"Korvane"}, FolderNames(maker));
        EXPECT_EQ(PayloadCount, FolderNames(folder).size());
    }
}

}  // namespace
