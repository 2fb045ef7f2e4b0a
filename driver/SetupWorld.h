// The world around the setup that a test, the demo or a benchmark arranges: where the
// built programs lie, files and folders, the Application Manager's App Paths entry, the
// environment the programs it starts inherit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver/probe/RecordFile.h"

// The folder of the running program, where every built program lies.
std::string BinFolder();
bool FileExists(const std::string& path);
// Copies the file, replacing the target; both paths UTF-8, so they may hold any character.
bool CopyFileUtf8(const std::string& from, const std::string& to);
// Creates a new folder at a UTF-8 path; false when it could not, or it is there already.
bool CreateFolderUtf8(const std::string& path);
// Deletes the folder at a UTF-8 path with everything in it, read-only files too.
void DeleteTree(const std::string& path);
// The setup and the Application Manager stand-in, both beside the running program.
std::string SetupExe();
std::string StandInExe();

// A new empty folder under the temporary folder, deleted with its content at the end,
// whatever characters the names inside it hold. Its path is UTF-8.
class TempFolder {
public:
    // In the temporary folder, or in the folder `under`.
    explicit TempFolder(const std::string& under = "");
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
    void SetText(const std::string& text, REGSAM view = 0, DWORD type = REG_SZ);
    static void Remove();
    static bool Exists(REGSAM view = 0);
    // The count of the entry's values and subkeys together; NoEntry when there is none.
    static constexpr DWORD NoEntry = static_cast<DWORD>(-1);
    static DWORD Content(REGSAM view = 0);
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
