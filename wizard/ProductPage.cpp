// The product information page: what the product does, one check mark a feature.
#include <windows.h>
#include <commctrl.h>

#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"
#include "resources/resource.h"

namespace {

BOOL OnInitDialog(HWND page)
{
    RequestWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
    FormatControlText(page, IDC_PRODUCT_HEADING, 1);
    return FALSE;
}

// The request on leaving comes before the license page's own, which then decides.
BOOL OnNotify(HWND page, LPARAM lParam)
{
    UINT code = NotificationCode(lParam);
    if (code == static_cast<UINT>(PSN_SETACTIVE) || code == static_cast<UINT>(PSN_WIZNEXT))
        RequestWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK ProductPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
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
