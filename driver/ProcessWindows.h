// Another process and its windows, driven as a user would: started, its windows found
// and read, its buttons pressed only when a user could press them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The class of dialogs, message boxes and the wizard's sheet alike, and the ids of a
// message box's text and icon.
inline constexpr char DialogClass[] = "#32770";
constexpr int MessageBoxTextId = 0xFFFF;
constexpr int MessageBoxIconId = 0x440;

// A program started by the driver; killed by its handle if still running at the end.
// Program, arguments and directory are UTF-8, so a path may hold any character. A process
// started suspended runs no instruction of its own until Resume.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& arguments = "",
                 const std::string& directory = "", bool suspended = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info.hProcess != nullptr; }
    DWORD Id() const { return info.dwProcessId; }
    HANDLE Handle() const { return info.hProcess; }
    bool Resume() { return ResumeThread(info.hThread) != static_cast<DWORD>(-1); }
    // The exit code, or STILL_ACTIVE when the process did not end in time.
    DWORD WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info = {};
};

// Whether the window's class bears this name, in any case.
bool HasClass(HWND window, const char* className);
// The first visible top-level window of the process that `fits` (any, without it), or null.
HWND FindTopWindow(DWORD processId, const std::function<bool(HWND)>& fits = nullptr);
// The dialog of a wizard's current page, when it shows, or null: a property sheet's page,
// or the page NSIS's wizard makes inside its own dialog.
HWND ShownPage(HWND wizard);
// The first visible top-level window of the process with this class and title.
HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs);
// The answer to a message sent to a window, perhaps of another process; `fallback` when its
// thread does not answer in time.
DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
              DWORD_PTR fallback = 0);
std::string WindowText(HWND window);
// Whether a user could press the button: it is there, visible and enabled.
bool Pressable(HWND button);
// Presses a button the way a user can: only when it is pressable.
bool PressButton(HWND button);
// Whether a check box or radio button is checked; false when its thread does not answer.
bool Checked(HWND button);

// What a message box of a process showed before the helper pressed its OK button.
struct MessageBoxSeen {
    bool shown = false;
    std::string caption;
    std::string text;
    bool icon = false;
};
// Waits for a message box of the process, reads it, presses OK and lets it go. Gives up
// after the timeout, or when `stop` (if any) is signalled.
MessageBoxSeen AnswerMessageBox(DWORD processId, DWORD timeoutMs, HANDLE stop = nullptr);
