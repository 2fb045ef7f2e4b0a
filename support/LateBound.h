// The platform calls whose libraries are loaded at run time, after the library search has
// been restricted to the system folder: USER32, ADVAPI32, the common controls and the
// shell pull in further libraries (version, the theme library, the input method library)
// that a static import would let the loader look for beside the program, before any code
// of ours runs, and LZ32 is no known library that Windows takes from the system folder
// whatever the search. Only KERNEL32 is imported.
// Same names, arguments and results as the platform's own; a library or function that
// cannot be had answers with the call's failure result.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <lzexpand.h>
#include <shellapi.h>

namespace LateBound {

// USER32: dialogs and windows.
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
HWND GetDlgItem(HWND dialog, int id);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size);
HWND GetParent(HWND window);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
HWND SetFocus(HWND window);
BOOL SetWindowTextA(HWND window, LPCSTR text);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// USER32: texts. On failure both leave an empty text in the buffer.
int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);
int wvsprintfA(LPSTR buffer, LPCSTR format, va_list values);
// USER32: the framework's window class and message loops.
LRESULT CALLBACK DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HCURSOR LoadCursorA(HINSTANCE module, LPCSTR name);
ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE module);
BOOL GetMessageA(MSG* message, HWND window, UINT first, UINT last);
BOOL PeekMessageA(MSG* message, HWND window, UINT first, UINT last, UINT remove);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
BOOL IsDialogMessageA(HWND dialog, MSG* message);
int TranslateAcceleratorA(HWND window, HACCEL accelerators, MSG* message);
DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                DWORD timeout, DWORD wakeMask);

// ADVAPI32: the registry. Failures answer ERROR_PROC_NOT_FOUND.
LSTATUS RegCreateKeyExA(HKEY root, LPCSTR path, DWORD reserved, LPSTR className, DWORD options,
                        REGSAM access, SECURITY_ATTRIBUTES* security, HKEY* key,
                        DWORD* disposition);
LSTATUS RegOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access, HKEY* key);
LSTATUS RegQueryValueExA(HKEY key, LPCSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                         DWORD* size);
LSTATUS RegCloseKey(HKEY key);

// LZ32: expansion. Failures answer LZERROR_BADINHANDLE.
INT LZOpenFileA(LPSTR path, LPOFSTRUCT open, WORD style);
LONG LZCopy(INT source, INT target);
void LZClose(INT handle);

// COMCTL32.
void InitCommonControls();
HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page);
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);

// SHELL32.
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* info);

} // namespace LateBound
