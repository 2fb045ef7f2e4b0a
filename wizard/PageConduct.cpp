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

void ShowWizardTitle(HWND page)
{
    LateBound::SetWindowTextA(LateBound::GetParent(page), TheSetupApplication.WizardTitle.GetText());
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
