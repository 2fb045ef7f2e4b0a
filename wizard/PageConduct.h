// What every page of the wizard does alike: title, button requests, product label.
#pragma once

#include <windows.h>

// Sets the sheet's title bar to the wizard title; pages call it on every WM_SHOWWINDOW.
void ShowWizardTitle(HWND page);

// Posts (never sends) the wizard-button request, so that requests take effect in the
// order they were made, after the message being handled.
void RequestWizardButtons(HWND page, DWORD buttons);

// Fills the product label into the first repeatCount "%s" of a static control's text.
void FormatControlText(HWND page, int controlId, int repeatCount);

// The notification code of a WM_NOTIFY.
inline UINT NotificationCode(LPARAM lParam)
{
    return reinterpret_cast<const NMHDR*>(lParam)->code;
}
