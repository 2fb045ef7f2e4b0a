// The conduct that the five pages share.
#include "wizard/PageConduct.h"

#include <commctrl.h>

#include "support/LateBound.h"
#include "app/Product.h"
#include "app/ProcessState.h"
#include "app/SetupApplication.h"

namespace {

// GetDlgItemTextA reads at most 299 characters and a NUL.
constexpr int ControlTextSize = 300;

} // namespace

namespace {

// The sheet's title bar shows the wizard title whichever page shows.
void ShowWizardTitle(HWND page)
{
    LateBound::SetWindowTextA(LateBound::GetParent(page),
                              TheSetupApplication.WizardTitle.GetText());
}

void OnArrival(const PageConduct& conduct, HWND page)
{
    RequestWizardButtons(page, conduct.chooseButtons ? conduct.chooseButtons(page)
                                                     : conduct.buttons);
}

} // namespace

INT_PTR RunPage(const PageConduct& conduct, HWND page, UINT message, WPARAM wParam,
                LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (conduct.initialise)
            conduct.initialise(page);
        return FALSE;  // the page sets the focus where it wants one
    case WM_SHOWWINDOW:
        ShowWizardTitle(page);
        return FALSE;
    case WM_NOTIFY:
        if (NotificationCode(lParam) == static_cast<UINT>(PSN_SETACTIVE))
            OnArrival(conduct, page);
        return conduct.notify ? conduct.notify(page, wParam, lParam) : FALSE;
    case WM_COMMAND:
        if (conduct.command)
            conduct.command(page, wParam);
        return FALSE;
    default:
        return FALSE;
    }
}

void RequestWizardButtons(HWND page, DWORD buttons)
{
    LateBound::PostMessageA(LateBound::GetParent(page), PSM_SETWIZBUTTONS, 0, buttons);
}

void FormatControlText(HWND page, int controlId, int repeatCount)
{
    char format[ControlTextSize];
    format[0] = '\0';
    LateBound::GetDlgItemTextA(page, controlId, format, ControlTextSize);
    TextString text;
    if (repeatCount == 2)
        text.Format(format, ProductLabel, ProductLabel);
    else
        text.Format(format, ProductLabel);
    LateBound::SetDlgItemTextA(page, controlId, text.GetText());
}
