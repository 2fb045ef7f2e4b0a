// LateBound: USER32, loaded from the system folder at the first call, once the library
// search has been restricted.
#include "LateBound.h"

#include "LateBoundCall.h"

namespace LateBound {

namespace {

constexpr Library User = Library::User;

} // namespace

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    return Call<decltype(&::CheckDlgButton)>(User, "CheckDlgButton", FALSE, dialog, id, check);
}

HWND GetDlgItem(HWND dialog, int id)
{
    return Call<decltype(&::GetDlgItem)>(User, "GetDlgItem", nullptr, dialog, id);
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size)
{
    if (size > 0)
        text[0] = '\0';
    return Call<decltype(&::GetDlgItemTextA)>(User, "GetDlgItemTextA", 0u, dialog, id, text, size);
}

HWND GetParent(HWND window)
{
    return Call<decltype(&::GetParent)>(User, "GetParent", nullptr, window);
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    return Call<decltype(&::IsDlgButtonChecked)>(User, "IsDlgButtonChecked", 0u, dialog, id);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Call<decltype(&::PostMessageA)>(User, "PostMessageA", FALSE, window, message, wParam,
                                           lParam);
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Call<decltype(&::SendDlgItemMessageA)>(User, "SendDlgItemMessageA", 0, dialog, id,
                                                  message, wParam, lParam);
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    return Call<decltype(&::SetDlgItemTextA)>(User, "SetDlgItemTextA", FALSE, dialog, id, text);
}

HWND SetFocus(HWND window)
{
    return Call<decltype(&::SetFocus)>(User, "SetFocus", nullptr, window);
}

BOOL SetWindowTextA(HWND window, LPCSTR text)
{
    return Call<decltype(&::SetWindowTextA)>(User, "SetWindowTextA", FALSE, window, text);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return Call<decltype(&::MessageBoxA)>(User, "MessageBoxA", 0, owner, text, caption, type);
}

int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size)
{
    if (size > 0)
        buffer[0] = '\0';
    return Call<decltype(&::LoadStringA)>(User, "LoadStringA", 0, module, id, buffer, size);
}

int wvsprintfA(LPSTR buffer, LPCSTR format, va_list values)
{
    buffer[0] = '\0';
    return Call<decltype(&::wvsprintfA)>(User, "wvsprintfA", 0, buffer, format, values);
}

LRESULT CALLBACK DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Call<decltype(&::DefWindowProcA)>(User, "DefWindowProcA", 0, window, message, wParam,
                                             lParam);
}

HCURSOR LoadCursorA(HINSTANCE module, LPCSTR name)
{
    return Call<decltype(&::LoadCursorA)>(User, "LoadCursorA", nullptr, module, name);
}

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    return Call<decltype(&::RegisterClassA)>(User, "RegisterClassA", ATOM{0}, windowClass);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE module)
{
    return Call<decltype(&::UnregisterClassA)>(User, "UnregisterClassA", FALSE, className, module);
}

// -1 is GetMessage's own error result: a loop that tests for 1 ends.
BOOL GetMessageA(MSG* message, HWND window, UINT first, UINT last)
{
    return Call<decltype(&::GetMessageA)>(User, "GetMessageA", -1, message, window, first, last);
}

BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT remove)
{
    return Call<decltype(&::PeekMessageA)>(User, "PeekMessageA", FALSE, message, window, first,
                                           last, remove);
}

BOOL TranslateMessage(const MSG* message)
{
    return Call<decltype(&::TranslateMessage)>(User, "TranslateMessage", FALSE, message);
}

LRESULT DispatchMessageA(const MSG* message)
{
    return Call<decltype(&::DispatchMessageA)>(User, "DispatchMessageA", 0, message);
}

BOOL IsDialogMessageA(HWND dialog, MSG* message)
{
    return Call<decltype(&::IsDialogMessageA)>(User, "IsDialogMessageA", FALSE, dialog, message);
}

int TranslateAcceleratorA(HWND window, HACCEL accelerators, MSG* message)
{
    return Call<decltype(&::TranslateAcceleratorA)>(User, "TranslateAcceleratorA", 0, window,
                                                    accelerators, message);
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD timeout,
                                DWORD wakeMask)
{
    return Call<decltype(&::MsgWaitForMultipleObjects)>(User, "MsgWaitForMultipleObjects",
                                                        WAIT_FAILED, count, handles, waitAll,
                                                        timeout, wakeMask);
}

} // namespace LateBound
