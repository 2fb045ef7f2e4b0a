// Helpers for tests that run for real under Wine: folders, registry, child processes,
// windows of another process and the Application Manager stand-in's record.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The folder of the running test program, where every built program lies.
std::string BinFolder();
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
// Polls until the file exists and holds text ending in `ending`.
bool WaitForFileEnding(const std::string& path, const std::string& ending, DWORD timeoutMs);

// A new empty folder under the temporary folder, deleted with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};

// The App Paths entry of the Application Manager, removed from both registry views at
// the start and at the end, so each test starts without it.
class AppPathsEntry {
public:
    AppPathsEntry();
    ~AppPathsEntry();
    AppPathsEntry(const AppPathsEntry&) = delete;
    AppPathsEntry& operator=(const AppPathsEntry&) = delete;

    // Writes the default value; view is 0 or KEY_WOW64_64KEY.
    void Set(DWORD type, const void* data, DWORD size, REGSAM view = 0);
    void SetText(const std::string& text, REGSAM view = 0, DWORD type = REG_SZ);
    static void Remove();
    static bool Exists(REGSAM view = 0);
    static DWORD ValueCount(REGSAM view = 0);
    static DWORD SubkeyCount(REGSAM view = 0);
};

// Whether this 32-bit program runs under WoW64 (in a 64-bit prefix).
bool UnderWow64();
// Windows keeps a 32-bit App Paths key apart from the 64-bit one; a new Wine prefix links
// the two. Replaces the link by a key of its own, as on Windows.
void SeparateAppPathsViews();

// A setting of Wine's for one program name (HKCU\Software\Wine\AppDefaults\<program>),
// removed at the end: subkey "" with "Version" sets the Windows version it reports.
class WineAppDefault {
public:
    WineAppDefault(const std::string& program, const std::string& subkey, const char* name,
                   const char* value);
    ~WineAppDefault();
    WineAppDefault(const WineAppDefault&) = delete;
    WineAppDefault& operator=(const WineAppDefault&) = delete;

private:
    std::string key;
};

// The program that opens addresses of a scheme ("http", "mailto"), replaced for the test.
class SchemeHandler {
public:
    SchemeHandler(const std::string& scheme, const std::string& program);
    ~SchemeHandler();
    SchemeHandler(const SchemeHandler&) = delete;
    SchemeHandler& operator=(const SchemeHandler&) = delete;

private:
    std::string key;
    std::string previous;
};

// An environment variable of this process (and so of the programs it starts), restored
// at the end.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name;
};

// Lines of a text file with CRLF line ends.
std::vector<std::string> ReadLines(const std::string& path);

// A program started by the test; killed by its handle if still running at the end.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& arguments = "",
                 const std::string& directory = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info.hProcess != nullptr; }
    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info = {};
};

// The first visible top-level window of the process with this class and title.
HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs);
std::vector<HWND> VisibleTopWindows(DWORD processId);
std::string WindowText(HWND window);
// Presses a button the way a user can: only when it is visible and enabled.
bool PressButton(HWND button);

// What a message box of a process showed before the helper pressed its OK button.
struct MessageBoxSeen {
    bool shown = false;
    std::string caption;
    std::string text;
    bool icon = false;
};
// Waits for a message box of the process, reads it and presses OK. Gives up after the
// timeout, or when `stop` (if any) is signalled.
MessageBoxSeen AnswerMessageBox(DWORD processId, DWORD timeoutMs, HANDLE stop = nullptr);

// The names in a folder, "." and ".." left out, in the order the file system gives.
std::vector<std::string> FolderNames(const std::string& folder);

// One run of the Application Manager stand-in: its key=value lines in order.
struct StandInRun {
    std::vector<std::pair<std::string, std::string>> lines;
    std::string Value(const std::string& key) const;
    std::vector<std::string> Values(const std::string& key) const;
};
std::vector<StandInRun> ReadStandInRecord(const std::string& path);

