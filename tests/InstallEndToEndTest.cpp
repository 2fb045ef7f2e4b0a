// The whole road as a user meets it: the real setup, through the wizard to Finish, then
// the install folder beside the Application Manager, the payload in it, and the hand-off.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "driver/ThreadHook.h"
#include "driver/WizardDriver.h"
#include "tests/support/TestSupport.h"

namespace {

// A key's effect shows within this; after it, a quiet spell shows nothing more happens.
const DWORD KeySettleMs = 3000;
const DWORD KeyQuietMs = 200;
// Tab presses that must reach the first link from the default button, whatever the order.
const int LinkTabsAtMost = 6;

// Where each payload file's expected bytes come from, in the order of PayloadNames.
const char* const PayloadSources[PayloadCount] = {KORVANE_PAYLOAD_SOURCES};

const char LongestPayloadPath[] = "\\Orbelwick\\Korvane\\KORVANE_US.PPC_ARM.CAB";

// The stand-in's ActiveSync folder (in `under`, else in the temporary folder); the install
// folder goes two levels below it. With `longestPath`, the folder's path is as long as
// makes the longest payload path that many characters.
class ActiveSyncSite : public StandInSite {
public:
    explicit ActiveSyncSite(const std::string& under = "", size_t longestPath = 0)
        : StandInSite(under, longestPath ? longestPath - (sizeof LongestPayloadPath - 1) : 0),
          installFolder(activeSync + "\\" + InstallFolderBelowAppManager)
    {
    }

    // Walks the wizard to Finish and presses it; answers the message box that any end but
    // an install shows, and expects the exit code of that end.
    MessageBoxSeen Finish(DWORD exitCode = SetupExit::Installed,
                          const std::string& program = SetupExe())
    {
        WizardDriver wizard("", program);
        EXPECT_TRUE(wizard.Opened());
        EXPECT_TRUE(wizard.WalkTo(FinishPage));
        EXPECT_TRUE(wizard.Press(FinishButton));
        MessageBoxSeen box;
        if (exitCode != SetupExit::Installed)
            box = AnswerMessageBox(wizard.Process().Id(), BoxTimeoutMs);
        EXPECT_EQ(exitCode, wizard.Process().WaitForExit(ExitTimeoutMs));
        return box;
    }

    // The previous set, each file with a text of its own, where a re-install must leave
    // it unchanged when it fails: all of it, or all but the file `replaced`.
    void WritePreviousSet()
    {
        CreateDirectoryA((activeSync + "\\Orbelwick").c_str(), nullptr);
        CreateDirectoryA(installFolder.c_str(), nullptr);
        for (const char* name : PayloadNames)
            WriteWholeFile(installFolder + "\\" + name, std::string("previous ") + name);
    }
    void ExpectPreviousSet(const char* replaced = nullptr)
    {
        for (const char* name : PayloadNames) {
            if (!replaced || std::string(name) != replaced)
                EXPECT_EQ(std::string("previous ") + name,
                          ReadWholeFile(installFolder + "\\" + name));
        }
        EXPECT_EQ(std::vector<std::string>{"Korvane"}, FolderNames(activeSync + "\\Orbelwick"))
            << "the sets in transit were left behind";
    }

    void ExpectPayload()
    {
        for (size_t i = 0; i < PayloadCount; ++i)
            ExpectPayloadFile(PayloadNames[i], PayloadSources[i]);
    }
    void ExpectPayloadFile(const char* name, const std::string& source)
    {
        SCOPED_TRACE(name);
        const std::string expected = ReadWholeFile(source);
        ASSERT_FALSE(expected.empty()) << "no source at " << source;
        EXPECT_TRUE(expected == ReadWholeFile(installFolder + "\\" + name))
            << "the extracted file differs from its source";
    }

    std::string installFolder;
};

class InstallTest : public ::testing::Test, public ActiveSyncSite {};

// Windows' own words for an error, as the setup's box shows them under its text.
std::string SystemReason(DWORD error)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string line = FirstLine(text);
    return line.substr(0, line.find_last_not_of("\r ") + 1);
}

// Waits until the stand-in has recorded `count` whole runs.
std::vector<StandInRun> AwaitRuns(const std::string& record, size_t count)
{
    WaitUntil(RecordTimeoutMs, [&] {
        return ReadStandInRecord(record).size() >= count && AwaitStandInRun(record, 0);
    });
    return ReadStandInRecord(record);
}

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

        auto runs = AwaitRuns(record, run);
        ASSERT_EQ(run, runs.size());
        const StandInRun& handOff = runs.back();
        EXPECT_EQ("1", handOff.Value("show")) << "started hidden, where it may ask a question";
        EXPECT_EQ(HandOffArguments(installFolder), handOff.Value("arguments"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("ini.exists"));
        EXPECT_EQ((std::vector<std::string>{"1.0", "1.0"}), handOff.Values("ini.version"));
        EXPECT_EQ((std::vector<std::string>{"Korvane", "CommonComponents"}),
                  handOff.Values("ini.component"));
        EXPECT_EQ((std::vector<std::string>{"Korvane_US.ppc_arm.cab", "Common1_US.ppc_arm.cab"}),
                  handOff.Values("cab"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("cab.exists"));
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), handOff.Values("cab.mscf"));
    }
}

// A re-install that cannot complete leaves the previous set whole and unchanged, says why,
// and hands nothing over: a folder where a payload file goes, a payload file held open
// (as by the Application Manager of the last run), a setup whose extracted file differs
// from its record.
TEST_F(InstallTest, AReinstallThatCannotCompleteKeepsThePreviousSet)
{
    struct {
        const char* what;
        const char* obstacle;  // a folder of this name in the install folder, or null
        const char* held;      // a payload file held open without sharing, or null
        std::string program;
        DWORD reason;  // Windows' reason, the one the failure gave; none: 0
    } const cases[] = {
        {"a folder in a payload file's place", "KORVANE.INI", nullptr, SetupExe(),
         ERROR_ALREADY_EXISTS},
        {"the last payload file held open", nullptr, PayloadNames[PayloadCount - 1], SetupExe(),
         ERROR_SHARING_VIOLATION},
        {"the first payload file held open", nullptr, PayloadNames[0], SetupExe(),
         ERROR_SHARING_VIOLATION},
        {"an extracted file unlike its record", nullptr, nullptr,
         BinFolder() + "\\MisrecordedSetup.exe", 0},
    };
    for (const auto& c : cases) {
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
        MessageBoxSeen box = Finish(SetupExit::ExtractionFailed, c.program);
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
    Sleep(QuietMs);
    EXPECT_FALSE(FileExists(record)) << "the Application Manager got an incomplete payload";
}

// Every install folder whose longest file path Windows allows (259 characters and its
// NUL): the sets in transit never need a longer one.
TEST(LongFolder, InstallsWhereverTheLongestPathFitsWindowsLimit)
{
    for (size_t longest : {150u, 240u, 259u}) {
        SCOPED_TRACE(longest);
        ActiveSyncSite site("", longest);
        ASSERT_EQ(longest, (site.installFolder + "\\KORVANE_US.PPC_ARM.CAB").size());
        EXPECT_FALSE(site.Finish().shown);
        site.ExpectPayload();
        auto runs = AwaitRuns(site.record, 1);
        ASSERT_EQ(1u, runs.size());
        EXPECT_EQ((std::vector<std::string>{"1", "1"}), runs.back().Values("cab.mscf"));
    }
}

// A re-install onto a full disk (a small tmpfs, mounted by the test fixture as root)
// fails before it touches the previous set, and says that the disk is full.
class FullDiskTest : public ::testing::Test, public ActiveSyncSite {
protected:
    FullDiskTest() : ActiveSyncSite(FullDisk()) {}
    static std::string FullDisk()
    {
        char folder[MAX_PATH] = {};
        GetEnvironmentVariableA("KORVANE_FULL_DISK", folder, MAX_PATH);
        return FileExists(std::string(folder) + "\\mounted") ? folder : "";
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
    Sleep(QuietMs);
    EXPECT_FALSE(FileExists(record));
}

// A hook library on the setup's window thread that records each call by which the setup
// changes a file, and ends the setup (as a crash or a power cut would) or fails the call
// at the one that KORVANE_CUT names.
class FileCallCutter : public ThreadHook {
public:
    explicit FileCallCutter(HWND window)
        : ThreadHook("FileCallCutter.dll", "CutCallWndProc", WH_CALLWNDPROC, window)
    {
    }
};
// The exit code of a setup that the cutter ended.
constexpr DWORD CutExitCode = 0xC0DE;

// One recorded call: the function and its one or two paths.
struct FileCall {
    std::string function;
    std::string first;
    std::string second;
};

std::vector<FileCall> ReadFileCalls(const std::string& record)
{
    std::vector<FileCall> calls;
    for (const std::string& line : ReadLines(record)) {
        size_t bar = line.find('|');
        size_t next = line.find('|', bar + 1);
        calls.push_back(
            {line.substr(0, bar), line.substr(bar + 1, next - bar - 1), line.substr(next + 1)});
    }
    return calls;
}

// Every file and folder below a folder, by path relative to it (a folder's ends in "\\"),
// with each file's content.
using Tree = std::map<std::string, std::string>;

void ReadTree(const std::string& folder, const std::string& relative, Tree& tree)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = relative + found.cFileName;
        if (found.cFileName[0] == '.' && (!found.cFileName[1] || found.cFileName[1] == '.'))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[name + "\\"] = "";
            ReadTree(folder, name + "\\", tree);
        } else {
            tree[name] = ReadWholeFile(folder + "\\" + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Replaces the folder by one that holds `tree`.
void WriteTree(const std::string& folder, const Tree& tree)
{
    DeleteTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& entry : tree) {
        const std::string path = folder + "\\" + entry.first;
        if (entry.first.back() == '\\')
            CreateDirectoryA(path.c_str(), nullptr);
        else
            WriteWholeFile(path, entry.second);
    }
}

// The install, stopped at each of its file-changing calls over a previous set unlike the
// new one, as a crash or a power cut would stop it; after each stop, one re-run that
// succeeds must leave exactly the new set and nothing of ours beside it, and one that
// fails (its last rename into the install folder refused) must leave the previous set
// whole, or the new one where the stop came after the previous set was discarded. Each
// call that the install may see fail is also failed once: the setup ends with the new set
// and exit 0, or with the previous set, its box and exit 1603.
class CrashTest : public InstallTest {
protected:
    CrashTest() : calls(root / "calls.record"), callRecord("KORVANE_CUT_RECORD", calls) {}

    // Runs the setup to Finish with the cutter's rule; answers the box of a failure.
    DWORD Run(const std::string& rule)
    {
        ScopedEnvironment cut("KORVANE_CUT", rule);
        WizardDriver wizard;
        EXPECT_TRUE(wizard.Opened());
        FileCallCutter cutter(wizard.Sheet());
        EXPECT_TRUE(cutter.Set());
        EXPECT_TRUE(wizard.WalkTo(FinishPage));
        EXPECT_TRUE(wizard.Press(FinishButton));
        HANDLE process = wizard.Process().Handle();
        WaitUntil(ExitTimeoutMs, [&] {
            if (HWND box = FindMessageBox(wizard.Process().Id()))
                AnswerBox(box);
            return WaitForSingleObject(process, 0) != WAIT_TIMEOUT;
        });
        return wizard.Process().WaitForExit(0);
    }

    Tree Maker() const
    {
        Tree tree;
        ReadTree(maker, "", tree);
        return tree;
    }
    static Tree InstallFolderOf(const Tree& maker)
    {
        return Tree(maker.lower_bound("Korvane\\"), maker.lower_bound("Korvane]"));
    }
    Tree SetOf(const std::vector<std::string>& contents) const
    {
        Tree tree = {{"Korvane\\", ""}};
        for (size_t i = 0; i < PayloadCount; ++i)
            tree[std::string("Korvane\\") + PayloadNames[i]] = contents[i];
        return tree;
    }

    const std::string maker = activeSync + "\\Orbelwick";
    std::string calls;
    ScopedEnvironment callRecord;
};

TEST_F(CrashTest, EveryStopOfTheInstallLeavesOneWholeSet)
{
    std::vector<std::string> previous, fresh;
    for (size_t i = 0; i < PayloadCount; ++i) {
        previous.push_back(std::string("previous ") + PayloadNames[i]);
        fresh.push_back(ReadWholeFile(PayloadSources[i]));
    }
    const Tree previousSet = SetOf(previous), newSet = SetOf(fresh);
    const std::string lastPlace = "fail MoveFileA \\~n\\ " + std::to_string(PayloadCount);

    // The install's own calls, once through.
    WriteTree(maker, previousSet);
    ASSERT_EQ(0u, Run("count 0"));
    const std::vector<FileCall> install = ReadFileCalls(calls);
    ASSERT_EQ(newSet, Maker());
    size_t committed = install.size();  // the index of the step after which the new set stands
    for (size_t i = 0; i < install.size(); ++i) {
        const FileCall& call = install[i];
        if (call.function == "MoveFileA" && call.first.find("\\~n\\") != std::string::npos &&
            call.second.rfind(installFolder, 0) == 0) {
            SCOPED_TRACE("published " + call.second);
            bool flushed = false;
            for (size_t j = 0; j < i; ++j)
                flushed |=
                    install[j].function == "FlushFileBuffers" && install[j].first == call.first;
            EXPECT_TRUE(flushed) << "published before its data was flushed";
        }
        if (call.function == "MoveFileA" && call.second == maker + "\\~d")
            committed = i;
    }
    ASSERT_LT(committed, install.size()) << "no step commits the new set";
    std::printf("%zu file-changing calls, the new set committed at call %zu\n", install.size(),
                committed + 1);

    for (const char* action : {"kill", "fail"}) {
        for (size_t step = 1; step <= install.size(); ++step) {
            const FileCall& call = install[step - 1];
            SCOPED_TRACE(std::string(action) + " at " + std::to_string(step) + ": " +
                         call.function + " " + call.first + " " + call.second);
            WriteTree(maker, previousSet);
            DeleteFileA(calls.c_str());
            const DWORD code = Run(std::string(action) + " " + std::to_string(step));
            if (std::string(action) == "fail") {
                // A failure of a step that clears up after the commit may leave a
                // companion folder for the next run: only the install folder is asked.
                const Tree expected = code == 0 ? newSet : previousSet;
                EXPECT_TRUE(code == 0 || code == SetupExit::ExtractionFailed) << code;
                EXPECT_EQ(expected, InstallFolderOf(Maker()));
                if (HasFailure())
                    return;
                continue;
            }
            ASSERT_EQ(CutExitCode, code);
            const Tree stopped = Maker();

            EXPECT_EQ(SetupExit::ExtractionFailed, Run(lastPlace));
            EXPECT_EQ(step - 1 > committed ? newSet : previousSet, Maker());

            WriteTree(maker, stopped);
            EXPECT_EQ(0u, Run("count 0"));
            EXPECT_EQ(newSet, Maker());
            if (HasFailure())
                return;  // one stop that goes wrong tells enough
        }
    }
}

// A hook library on the setup's window thread that records the texts the setup gives its
// Rich Edit controls, in the file that the setup's KORVANE_SPY_RECORD names.
class TextSpy : public ThreadHook {
public:
    explicit TextSpy(HWND window)
        : ThreadHook("TextSpy.dll", "SpyCallWndProc", WH_CALLWNDPROC, window)
    {
    }
};

// The road a user takes on the registration page and past it: both links show their
// addresses and open them once each (a press released off the link opens nothing), then
// Finish hands the payload to the Application Manager. Returns the texts the setup gave
// the links' Rich Edit controls, which tell RTF from plain text where the screen cannot.
class WholeRoadTest : public InstallTest {
protected:
    WholeRoadTest()
        : links(root / "links.record"), linkRecord("KORVANE_LINK_RECORD", links),
          web("http", BinFolder() + "\\LinkRecorder.exe"),
          mail("mailto", BinFolder() + "\\LinkRecorder.exe"), given(root / "given.record"),
          givenRecord("KORVANE_SPY_RECORD", given)
    {
    }

    std::vector<std::string> WalkWholeRoad(size_t run)
    {
        DeleteFileA(links.c_str());
        DeleteFileA(given.c_str());
        WizardDriver wizard;
        EXPECT_TRUE(wizard.Opened());
        TextSpy spy(wizard.Sheet());
        EXPECT_TRUE(spy.Set());
        EXPECT_TRUE(wizard.WalkTo(RegistrationPage));
        EXPECT_EQ(RegistrationUrl, wizard.ControlText(RegistrationLink));
        EXPECT_EQ(SupportAddress, wizard.ControlText(SupportLink));

        ClickLink(wizard.Control(RegistrationLink), 3, false);
        EXPECT_TRUE(AwaitLines(links, 1, RecordTimeoutMs))
            << "the registration link opened nothing";
        ClickLink(wizard.Control(SupportLink), 10, false);
        EXPECT_TRUE(AwaitLines(links, 2, RecordTimeoutMs)) << "the support link opened nothing";
        ClickLink(wizard.Control(RegistrationLink), 3, true);
        Sleep(QuietMs);
        EXPECT_EQ((std::vector<std::string>{RegistrationUrl, SupportMail}), ReadLines(links));

        EXPECT_TRUE(wizard.GoTo(NextButton, FinishPage));
        EXPECT_TRUE(wizard.Press(FinishButton));
        EXPECT_EQ(0u, wizard.Process().WaitForExit(ExitTimeoutMs));
        ExpectPayload();
        auto runs = AwaitRuns(record, run);
        EXPECT_EQ(run, runs.size());
        if (!runs.empty()) {
            EXPECT_EQ(HandOffArguments(installFolder), runs.back().Value("arguments"));
            EXPECT_EQ((std::vector<std::string>{"1", "1"}), runs.back().Values("cab.mscf"));
        }
        return ReadLines(given);
    }

    std::string links;
    ScopedEnvironment linkRecord;
    SchemeHandler web;
    SchemeHandler mail;
    std::string given;
    ScopedEnvironment givenRecord;
};

const std::vector<std::string> PlainLinks = {RegistrationUrl, SupportAddress};
const std::vector<std::string> RtfLinks = {std::string("{\\rtf ") + RegistrationUrl + "}",
                                           std::string("{\\rtf ") + SupportAddress + "}"};

// Wine reporting each Windows the setup may meet: Windows 95 gets the links as plain
// text, the others as RTF, with the same visible text.
TEST_F(WholeRoadTest, OnEveryReportedWindows)
{
    struct {
        const char* version;
        const std::vector<std::string>& links;
    } const platforms[] = {{"win95", PlainLinks},
                           {"win98", RtfLinks},
                           {"winxp", RtfLinks},
                           {"win7", RtfLinks},
                           {"win10", RtfLinks}};
    size_t run = 0;
    for (const auto& platform : platforms) {
        SCOPED_TRACE(platform.version);
        WineAppDefault version("KorvaneSetup.exe", "", "Version", platform.version);
        EXPECT_EQ(platform.links, WalkWholeRoad(++run));
    }
}

// One key of a keyboard-only walk, and where the user must be afterwards.
struct KeyStep {
    const char* what;
    WORD key;
    WORD modifier;
    int page;
    int focus;  // the control with the focus: the page's, or else the sheet's
    bool onPage;
    int upTo;      // pressed at most this often, until the focus is there
    size_t links;  // links opened so far
};

// Presses the step's key (once, or until the focus is where the step says), then lets the
// wizard settle and looks again: a key that does something late is caught too.
void Take(WizardDriver& wizard, const KeyStep& step)
{
    auto there = [&] {
        HWND owner = step.onPage ? wizard.Page() : wizard.Sheet();
        return wizard.PageIndex() == step.page && wizard.Focus() == GetDlgItem(owner, step.focus);
    };
    for (int press = 0; press < step.upTo; ++press) {
        wizard.PressKey(step.key, step.modifier);
        if (WaitUntil(step.upTo > 1 ? KeyQuietMs : KeySettleMs, there))
            break;
    }
    Sleep(KeyQuietMs);
    EXPECT_EQ(step.page, wizard.PageIndex());
    EXPECT_TRUE(there()) << "the focus is on " << wizard.Focus() << ", id "
                         << GetDlgCtrlID(wizard.Focus());
}

// The whole install from the keyboard alone, with real key events: the focus where the
// user looks for it on every page (after Back too; on the license page the chosen "I do
// not accept"), the agreement reached and scrolled, Enter doing nothing while the license
// is declined, the arrows kept within the two choices, Alt+N pressing Next (no choice
// has its letter), both links opened by Enter and Space, and Enter on Finish handing over.
TEST_F(WholeRoadTest, FromTheKeyboardAlone)
{
    const KeyStep steps[] = {
        {"arrival", 0, 0, WelcomePage, NextButton, false, 0, 0},
        {"Enter", VK_RETURN, 0, ProductPage, NextButton, false, 1, 0},
        {"Alt+B", 'B', VK_MENU, WelcomePage, NextButton, false, 1, 0},
        {"Enter", VK_RETURN, 0, ProductPage, NextButton, false, 1, 0},
        {"Enter", VK_RETURN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Shift+Tab, to the text", VK_TAB, VK_SHIFT, LicensePage, LicenseTextBox, true, 1, 0},
        {"Page Down", VK_NEXT, 0, LicensePage, LicenseTextBox, true, 1, 0},
        {"Tab", VK_TAB, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Enter while declined", VK_RETURN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Down", VK_DOWN, 0, LicensePage, LicenseAcceptButton, true, 1, 0},
        {"Down", VK_DOWN, 0, LicensePage, LicenseDeclineButton, true, 1, 0},
        {"Up", VK_UP, 0, LicensePage, LicenseAcceptButton, true, 1, 0},
        {"Alt+N, Next's own letter", 'N', VK_MENU, RegistrationPage, NextButton, false, 1, 0},
        {"Tab", VK_TAB, 0, RegistrationPage, RegistrationLink, true, LinkTabsAtMost, 0},
        {"Enter", VK_RETURN, 0, RegistrationPage, RegistrationLink, true, 1, 1},
        {"Tab", VK_TAB, 0, RegistrationPage, SupportLink, true, 1, 1},
        {"Space", VK_SPACE, 0, RegistrationPage, SupportLink, true, 1, 2},
        {"Tab, out of the links", VK_TAB, 0, RegistrationPage, BackButton, false, 1, 2},
        {"Alt+N", 'N', VK_MENU, FinishPage, FinishButton, false, 1, 2},
    };
    WizardDriver wizard;
    ASSERT_TRUE(wizard.Opened());
    for (const KeyStep& step : steps) {
        SCOPED_TRACE(std::string(step.what) + ", to page " + PageNames[step.page]);
        Take(wizard, step);
        if (step.key == VK_NEXT)
            EXPECT_LT(0, SendMessageA(wizard.Control(LicenseTextBox), EM_GETFIRSTVISIBLELINE, 0, 0))
                << "Page Down did not scroll the agreement";
        if (step.page == LicensePage)
            EXPECT_EQ(step.focus == LicenseAcceptButton,
                      Checked(wizard.Control(LicenseAcceptButton)));
        AwaitLines(links, step.links, RecordTimeoutMs);
        EXPECT_EQ(step.links, ReadLines(links).size());
    }
    EXPECT_EQ((std::vector<std::string>{RegistrationUrl, SupportMail}), ReadLines(links));
    wizard.PressKey(VK_RETURN);
    EXPECT_EQ(0u, wizard.Process().WaitForExit(ExitTimeoutMs));
    ExpectPayload();
    auto runs = AwaitRuns(record, 1);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(HandOffArguments(installFolder), runs.back().Value("arguments"));
}

// Esc cancels on every page, wherever the page put the focus, and from a link.
TEST_F(WholeRoadTest, EscCancelsOnEveryPage)
{
    for (int page = WelcomePage; page < PageCount; ++page) {
        SCOPED_TRACE(PageNames[page]);
        WizardDriver wizard;
        ASSERT_TRUE(wizard.Opened());
        ASSERT_TRUE(wizard.WalkTo(page));
        if (page == RegistrationPage)
            Take(wizard, {"Tab", VK_TAB, 0, page, SupportLink, true, LinkTabsAtMost, 0});
        else
            WaitUntil(KeySettleMs, [&] { return wizard.Focus() != nullptr; });
        wizard.PressKey(VK_ESCAPE);
        EXPECT_EQ(SetupExit::Cancelled, wizard.Process().WaitForExit(ExitTimeoutMs));
    }
    EXPECT_FALSE(FileExists(record)) << "a cancelled wizard started the Application Manager";
}

// In a 64-bit prefix the 32-bit setup runs under WoW64 and must find an Application
// Manager registered only in the 64-bit registry view.
TEST_F(WholeRoadTest, Wow64WithTheApplicationManagerOnlyInThe64BitView)
{
    ASSERT_TRUE(UnderWow64()) << "this case needs a 64-bit prefix (ctest: setup_exe_wow64)";
    SeparateAppPathsViews();
    AppPathsEntry::Remove();
    entry.SetText(appManager, KEY_WOW64_64KEY);
    ASSERT_FALSE(AppPathsEntry::Exists(KEY_WOW64_32KEY));
    EXPECT_EQ(RtfLinks, WalkWholeRoad(1));
}

}  // namespace
