// The welcome page: the maker's logo and contacts, and a welcome naming the product.
#include <windows.h>
#include <commctrl.h>

#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"
#include "resources/resource.h"

namespace {

BOOL OnInitDialog(HWND page)
{
    RequestWizardButtons(page, PSWIZB_NEXT);
    FormatControlText(page, IDC_WELCOME_TEXT, 2);
    return FALSE;
}

BOOL OnNotify(HWND page, LPARAM lParam)
{
    if (NotificationCode(lParam) == static_cast<UINT>(PSN_SETACTIVE))
        RequestWizardButtons(page, PSWIZB_NEXT);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
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
