// The finish page: Finish is the user's one decision that leads to installation.
#include <windows.h>
#include <commctrl.h>

#include "wizard/PageConduct.h"
#include "app/ProcessState.h"
#include "wizard/WizardPages.h"
#include "resources/resource.h"

namespace {

BOOL OnInitDialog(HWND page)
{
    FormatControlText(page, IDC_FINISH_TEXT, 1);
    return FALSE;
}

// Nothing is installed while the sheet is open: the setup flow installs after it closes.
BOOL OnNotify(HWND page, LPARAM lParam)
{
    UINT code = NotificationCode(lParam);
    if (code == static_cast<UINT>(PSN_SETACTIVE))
        RequestWizardButtons(page, PSWIZB_BACK | PSWIZB_FINISH);
    else if (code == static_cast<UINT>(PSN_WIZFINISH))
        InstallRequested = 1;
    return FALSE;
}

} // namespace

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page);
    case WM_SHOWWINDOW:
        ShowWizardTitle(page);
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(page, lParam);
    default:
        return FALSE;
    }
}
