// A window hook library: set on the setup's thread by a test, it appends each text that
// the setup gives a Rich Edit control (WM_SETTEXT) as one line to the file that
// KORVANE_SPY_RECORD names. What a control shows cannot tell RTF set text from plain text;
// what it was given can.
#include <windows.h>

namespace {

bool IsRichEdit(HWND window)
{
    char className[32];
    return GetClassNameA(window, className, sizeof className) > 0 &&
           lstrcmpiA(className, "RichEdit20A") == 0;
}

void Record(const char* text)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KORVANE_SPY_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !text)
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    SpyCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT && IsRichEdit(message->hwnd))
        Record(reinterpret_cast<const char*>(message->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
