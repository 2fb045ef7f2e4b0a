// The license agreement page: Next is offered exactly while the agreement is accepted.
#include <windows.h>
#include <commctrl.h>

#include "support/LateBound.h"
#include "wizard/PageConduct.h"
#include "app/ProcessState.h"
#include "support/ResourceData.h"
#include "support/TextString.h"
#include "wizard/WizardPages.h"
#include "resources/resource.h"

namespace {

const char LicenseResourceType[] = "LICENCE";

// The resource holds no terminator: the text box gets a terminated copy of its bytes.
void ShowAgreement(HWND page)
{
    ResourceData agreement(AppInstance, MAKEINTRESOURCEA(IDR_LICENSE), LicenseResourceType);
    if (!agreement.GetData())
        return;
    TextString text(reinterpret_cast<const char*>(agreement.GetData()),
                    static_cast<int>(agreement.GetSize()));
    LateBound::SetDlgItemTextA(page, IDC_LICENSE_TEXT, text.GetText());
}

DWORD ButtonsForChoice(HWND page)
{
    return LateBound::IsDlgButtonChecked(page, IDC_LICENSE_ACCEPT) ? PSWIZB_BACK | PSWIZB_NEXT
                                                        : PSWIZB_BACK;
}

BOOL OnInitDialog(HWND page)
{
    LateBound::CheckDlgButton(page, IDC_LICENSE_ACCEPT, BST_UNCHECKED);
    LateBound::CheckDlgButton(page, IDC_LICENSE_DECLINE, BST_CHECKED);
    LateBound::SetFocus(LateBound::GetDlgItem(page, IDC_LICENSE_DECLINE));
    RequestWizardButtons(page, PSWIZB_BACK);
    ShowAgreement(page);
    return FALSE;  // the focus is set above
}

BOOL OnNotify(HWND page, LPARAM lParam)
{
    if (NotificationCode(lParam) == static_cast<UINT>(PSN_SETACTIVE))
        RequestWizardButtons(page, ButtonsForChoice(page));
    return FALSE;
}

BOOL OnCommand(HWND page, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_LICENSE_ACCEPT:
        RequestWizardButtons(page, PSWIZB_BACK | PSWIZB_NEXT);
        break;
    case IDC_LICENSE_DECLINE:
        RequestWizardButtons(page, PSWIZB_BACK);
        break;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page);
    case WM_SHOWWINDOW:
        ShowWizardTitle(page);
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(page, lParam);
    case WM_COMMAND:
        return OnCommand(page, wParam);
    default:
        return FALSE;
    }
}
