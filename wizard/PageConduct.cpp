// The conduct that the five pages share.
#include "wizard/PageConduct.h"

#include <commctrl.h>

#include "app/ProcessState.h"
#include "app/Product.h"
#include "app/SetupApplication.h"
#include "support/LateBound.h"

namespace {

// GetDlgItemTextA reads at most 299 characters and a NUL.
constexpr int ControlTextSize = 300;

// The sheet's own wizard buttons.
constexpr int NextButton = 0x3024;
constexpr int FinishButton = 0x3025;

// Posted to the page behind each button request, so that it is handled once the sheet
// has applied the request: wParam the buttons, lParam nonzero on arrival.
constexpr UINT SettleMessage = WM_APP;

// The sheet's title bar shows the wizard title whichever page shows.
void ShowWizardTitle(HWND page)
{
    LateBound::SetWindowTextA(LateBound::GetParent(page),
                              TheSetupApplication.WizardTitle.GetText());
}

void PostButtons(HWND page, DWORD buttons, BOOL arriving)
{
    LateBound::PostMessageA(LateBound::GetParent(page), PSM_SETWIZBUTTONS, 0, buttons);
    LateBound::PostMessageA(page, SettleMessage, buttons, arriving);
}

void OnArrival(const PageConduct& conduct, HWND page)
{
    PostButtons(page, conduct.buttons(page), TRUE);
}

// The sheet makes whichever button is enabled its default, Back where Next is not: Enter
// is to press Next, or Finish on the last page, and nothing while that one is disabled.
// The sheet also gave the focus to a button before the page came, which the request may
// have disabled; on arrival the focus goes where the page wants it.
void Settle(const PageConduct& conduct, HWND page, DWORD buttons, bool arriving)
{
    HWND sheet = LateBound::GetParent(page);
    if (LateBound::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0) !=
        reinterpret_cast<LRESULT>(page))
        return;  // the user has moved on meanwhile
    int defaultButton = (buttons & PSWIZB_FINISH) ? FinishButton : NextButton;
    LateBound::SendMessageA(sheet, DM_SETDEFID, defaultButton, 0);
    if (!arriving)
        return;
    // A control of the page's choosing takes the focus as it is: the dialog's own focus move
    // would select a text box's whole text.
    if (conduct.focus) {
        LateBound::SetFocus(LateBound::GetDlgItem(page, conduct.focus(page)));
        return;
    }
    HWND button = LateBound::GetDlgItem(sheet, defaultButton);
    LateBound::SendMessageA(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
}

// A multi-line text box (or Rich Edit) in a page turns Esc into the page's IDCANCEL,
// which the page hands to the sheet.
void OnCommand(const PageConduct& conduct, HWND page, WPARAM wParam)
{
    if (LOWORD(wParam) == IDCANCEL)
        LateBound::PostMessageA(LateBound::GetParent(page), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else if (conduct.command)
        conduct.command(page, wParam);
}

}  // namespace

INT_PTR RunPage(const PageConduct& conduct, HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (conduct.initialise)
            conduct.initialise(page);
        return FALSE;  // the focus is given on arrival
    case WM_SHOWWINDOW:
        ShowWizardTitle(page);
        return FALSE;
    case WM_NOTIFY:
        if (NotificationCode(lParam) == static_cast<UINT>(PSN_SETACTIVE))
            OnArrival(conduct, page);
        return conduct.notify ? conduct.notify(page, wParam, lParam) : FALSE;
    case WM_COMMAND:
        OnCommand(conduct, page, wParam);
        return FALSE;
    case SettleMessage:
        Settle(conduct, page, static_cast<DWORD>(wParam), lParam != 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void RequestWizardButtons(HWND page, DWORD buttons) { PostButtons(page, buttons, FALSE); }

BOOL AnswerNotification(HWND page, LRESULT result)
{
    LateBound::SetWindowLongA(page, DWLP_MSGRESULT, static_cast<LONG>(result));
    return TRUE;
}

void FormatControlText(HWND page, int controlId)
{
    char format[ControlTextSize];
    format[0] = '\0';
    LateBound::GetDlgItemTextA(page, controlId, format, ControlTextSize);
    TextString text;
    // As many product names as any text has "%s"; wvsprintfA ignores those it does not use.
    text.Format(format, ProductLabel, ProductLabel);
    LateBound::SetDlgItemTextA(page, controlId, text.GetText());
}
