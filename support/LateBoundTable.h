// The platform functions the setup takes from libraries loaded at run time, {library,
// function} a few to a line; LateBound.h and .cpp include it, each with its LATE_BOUND.
// cmake/imports.txt lists the same names with the oldest Windows that has them, and the
// exe_imports test holds the two together.

// USER32 for a message, bound on its own: no fault elsewhere keeps the setup silent.
LATE_BOUND(Messages, MessageBoxA) LATE_BOUND(Messages, LoadStringA)
// USER32: dialogs, windows and texts.
LATE_BOUND(User, CheckDlgButton) LATE_BOUND(User, GetDlgItem) LATE_BOUND(User, GetDlgItemTextA)
LATE_BOUND(User, GetParent) LATE_BOUND(User, IsDlgButtonChecked) LATE_BOUND(User, PostMessageA)
LATE_BOUND(User, SendDlgItemMessageA) LATE_BOUND(User, SendMessageA)
LATE_BOUND(User, SetWindowLongA) LATE_BOUND(User, GetKeyState) LATE_BOUND(User, SetDlgItemTextA)
LATE_BOUND(User, SetFocus) LATE_BOUND(User, SetWindowTextA) LATE_BOUND(User, LoadImageA)
LATE_BOUND(User, GetDC) LATE_BOUND(User, ReleaseDC) LATE_BOUND(User, wvsprintfA)
LATE_BOUND(User, GetSysColor)
// USER32: the framework's window class and message loops.
LATE_BOUND(User, DefWindowProcA) LATE_BOUND(User, LoadCursorA) LATE_BOUND(User, RegisterClassA)
LATE_BOUND(User, UnregisterClassA) LATE_BOUND(User, GetMessageA) LATE_BOUND(User, PeekMessageA)
LATE_BOUND(User, TranslateMessage) LATE_BOUND(User, DispatchMessageA)
LATE_BOUND(User, IsDialogMessageA) LATE_BOUND(User, TranslateAcceleratorA)
LATE_BOUND(User, MsgWaitForMultipleObjects)
// USER32: bringing another copy's window to the front.
LATE_BOUND(User, EnumWindows) LATE_BOUND(User, GetWindowThreadProcessId)
LATE_BOUND(User, IsWindowVisible) LATE_BOUND(User, GetLastActivePopup)
LATE_BOUND(User, IsIconic) LATE_BOUND(User, ShowWindow) LATE_BOUND(User, SetForegroundWindow)
// ADVAPI32: the registry.
LATE_BOUND(Registry, RegCreateKeyExA) LATE_BOUND(Registry, RegOpenKeyExA)
LATE_BOUND(Registry, RegQueryValueExA) LATE_BOUND(Registry, RegCloseKey)
LATE_BOUND(Graphics, GetDeviceCaps)  // GDI32: the screen's DPI, for the pictures' scale
// LZ32: expansion.
LATE_BOUND(Expansion, LZInit) LATE_BOUND(Expansion, LZRead) LATE_BOUND(Expansion, LZClose)
// COMCTL32: the wizard.
LATE_BOUND(Controls, InitCommonControls)
LATE_BOUND(Controls, CreatePropertySheetPageA) LATE_BOUND(Controls, PropertySheetA)
LATE_BOUND(Shell, ShellExecuteExA)  // SHELL32: the hand-off and the links, bound when needed
