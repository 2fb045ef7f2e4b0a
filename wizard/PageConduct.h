// What every page of the wizard does alike, and the one procedure body that does it: the
// title on WM_SHOWWINDOW, the buttons, the default button and the focus on arrival, Esc
// from the page's own controls, and the rest handed to the page's own handlers.
#pragma once

#include <windows.h>

// One page's own handlers, named where a page fills them in; a page leaves out (null) what
// it does not handle.
struct PageConduct {
    DWORD (*buttons)(HWND page) = nullptr;  // the wizard buttons the page asks for on arrival
    int (*focus)(HWND page) = nullptr;      // the control to focus on arrival; null: default button
    void (*initialise)(HWND page) = nullptr;  // WM_INITDIALOG
    // Every notification, after the common handling; the result is the procedure's.
    BOOL (*notify)(HWND page, WPARAM wParam, LPARAM lParam) = nullptr;
    void (*command)(HWND page, WPARAM wParam) = nullptr;  // WM_COMMAND
};

// The buttons of a page that asks for the same ones on every arrival.
template <DWORD buttons> DWORD FixedButtons(HWND) { return buttons; }

// The dialog procedure's body for the page whose handlers are `conduct`.
INT_PTR RunPage(const PageConduct& conduct, HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Posts (never sends) the wizard-button request, so that requests take effect in the
// order they were made, after the message being handled; the default button follows.
void RequestWizardButtons(HWND page, DWORD buttons);

// Answers a notification with `result`, as a dialog procedure must: through the page.
BOOL AnswerNotification(HWND page, LRESULT result);

// Fills the product label into every "%s" of a static control's text.
void FormatControlText(HWND page, int controlId);

// The notification code of a WM_NOTIFY.
inline UINT NotificationCode(LPARAM lParam) { return reinterpret_cast<const NMHDR*>(lParam)->code; }
