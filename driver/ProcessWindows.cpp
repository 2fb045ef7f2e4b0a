// Another process and its windows, driven as a user would: found, read and pressed.
#include "driver/ProcessWindows.h"

#include "driver/SetupFacts.h"
#include "driver/Wait.h"
#include "driver/WideText.h"

namespace {

constexpr UINT MessageTimeoutMs = 2000;
// How long an answered box, or a process ended by the driver, may take to go.
constexpr DWORD BoxGoneTimeoutMs = 20000;
constexpr DWORD EndTimeoutMs = 5000;

struct WindowSearch {
    DWORD processId;
    const std::function<bool(HWND)>& fits;
    HWND found;
};

BOOL CALLBACK FindFitting(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) &&
        (!search->fits || search->fits(window)))
        search->found = window;
    return !search->found;
}

}  // namespace

bool HasClass(HWND window, const char* className)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments,
                           const std::string& directory, bool suspended)
{
    // The W function: an ANSI path would lose what the code page cannot spell.
    std::wstring path = WideFromUtf8(program);
    std::wstring commandLine =
        WideFromUtf8("\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments));
    std::wstring folder = WideFromUtf8(directory);
    STARTUPINFOW startup = {sizeof startup};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        suspended ? CREATE_SUSPENDED : 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        info = {};
}

ChildProcess::~ChildProcess()
{
    if (!info.hProcess)
        return;
    TerminateProcess(info.hProcess, 1);  // refused, and harmless, once the process has ended
    WaitForSingleObject(info.hProcess, EndTimeoutMs);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!info.hProcess || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

HWND FindTopWindow(DWORD processId, const std::function<bool(HWND)>& fits)
{
    WindowSearch search = {processId, fits, nullptr};
    EnumWindows(FindFitting, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] {
        found = FindTopWindow(processId, [&](HWND window) {
            return HasClass(window, className) && WindowText(window) == title;
        });
        return found != nullptr;
    });
    return found;
}

HWND ShownPage(HWND wizard)
{
    for (HWND child = FindWindowExA(wizard, nullptr, DialogClass, nullptr); child;
         child = FindWindowExA(wizard, child, DialogClass, nullptr)) {
        if (IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR fallback)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                               &answer)
               ? answer
               : fallback;
}

std::string WindowText(HWND window)
{
    std::string text(Ask(window, WM_GETTEXTLENGTH) + 1, '\0');
    text.resize(Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

bool Pressable(HWND button) { return button && IsWindowVisible(button) && IsWindowEnabled(button); }

bool PressButton(HWND button) { return Pressable(button) && PostMessageA(button, BM_CLICK, 0, 0); }

// The wizard's sheet is a dialog too, and may hold a control of the text's id.
MessageBoxSeen AnswerMessageBox(DWORD processId, DWORD timeoutMs, HANDLE stop)
{
    HWND box = nullptr;
    WaitUntil(timeoutMs, [&] {
        box = FindTopWindow(processId, [](HWND window) {
            return HasClass(window, DialogClass) && GetDlgItem(window, MessageBoxTextId) &&
                   WindowText(window) != WizardTitle;
        });
        return box || (stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0);
    });
    if (!box)
        return {};
    // Wine keeps the icon control of a box without icon, but empty.
    HWND icon = GetDlgItem(box, MessageBoxIconId);
    const MessageBoxSeen seen = {true, WindowText(box),
                                 WindowText(GetDlgItem(box, MessageBoxTextId)),
                                 icon && IsWindowVisible(icon) && Ask(icon, STM_GETICON) != 0};
    PressButton(GetDlgItem(box, IDOK));
    WaitUntil(BoxGoneTimeoutMs, [&] { return !IsWindow(box); });
    return seen;
}

bool Checked(HWND button) { return Ask(button, BM_GETCHECK) == BST_CHECKED; }
