// Another process and its windows, driven as a user would: found, read and pressed.
#include "driver/ProcessWindows.h"

#include "driver/SetupFacts.h"
#include "driver/Wait.h"
#include "driver/WideText.h"

namespace {

constexpr UINT MessageTimeoutMs = 2000;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments,
                           const std::string& directory, bool suspended)
{
    // The W function: an ANSI path would lose what the code page cannot spell.
    std::wstring path = WideFromUtf8(program);
    std::wstring commandLine =
        WideFromUtf8("\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments));
    std::wstring folder = WideFromUtf8(directory);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        suspended ? CREATE_SUSPENDED : 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        info = {};
}

ChildProcess::~ChildProcess()
{
    if (!info.hProcess)
        return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
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

std::vector<HWND> VisibleTopWindows(DWORD processId)
{
    WindowSearch search = {processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] {
        for (HWND window : VisibleTopWindows(processId)) {
            char name[256] = {};
            GetClassNameA(window, name, sizeof name);
            if ((!className || lstrcmpA(name, className) == 0) &&
                (!title || WindowText(window) == title)) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::string WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                             &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

bool Pressable(HWND button) { return button && IsWindowVisible(button) && IsWindowEnabled(button); }

bool PressButton(HWND button) { return Pressable(button) && PostMessageA(button, BM_CLICK, 0, 0); }

// The wizard's sheet is a dialog too, and may hold a control of the text's id.
HWND FindMessageBox(DWORD processId)
{
    for (HWND window : VisibleTopWindows(processId)) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, DialogClass) == 0 && GetDlgItem(window, MessageBoxTextId) &&
            WindowText(window) != WizardTitle)
            return window;
    }
    return nullptr;
}

MessageBoxSeen AnswerBox(HWND box)
{
    MessageBoxSeen seen;
    seen.shown = true;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, MessageBoxTextId));
    // Wine keeps the icon control of a box without icon, but empty.
    HWND icon = GetDlgItem(box, MessageBoxIconId);
    DWORD_PTR shown = 0;
    seen.icon =
        icon && IsWindowVisible(icon) &&
        SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &shown) &&
        shown != 0;
    PressButton(GetDlgItem(box, IDOK));
    return seen;
}

MessageBoxSeen AnswerMessageBox(DWORD processId, DWORD timeoutMs, HANDLE stop)
{
    MessageBoxSeen seen;
    WaitUntil(timeoutMs, [&] {
        if (HWND box = FindMessageBox(processId)) {
            seen = AnswerBox(box);
            return true;
        }
        return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
    });
    return seen;
}

bool Checked(HWND button)
{
    DWORD_PTR state = BST_UNCHECKED;
    return SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                               &state) &&
           state == BST_CHECKED;
}
