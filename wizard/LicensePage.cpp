// The license agreement page: Next is offered exactly while the agreement is accepted.
#include <windows.h>
#include <commctrl.h>

#include "app/ProcessState.h"
#include "resources/resource.h"
#include "support/LateBound.h"
#include "support/ResourceData.h"
#include "support/TextString.h"
#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"

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

// On arrival the focus goes to the chosen answer, "I do not accept" at first: a radio
// button that took the focus unchecked would choose itself.
int FocusedChoice(HWND page)
{
    return LateBound::IsDlgButtonChecked(page, IDC_LICENSE_ACCEPT) ? IDC_LICENSE_ACCEPT
                                                                   : IDC_LICENSE_DECLINE;
}

void Initialise(HWND page)
{
    LateBound::CheckDlgButton(page, IDC_LICENSE_ACCEPT, BST_UNCHECKED);
    LateBound::CheckDlgButton(page, IDC_LICENSE_DECLINE, BST_CHECKED);
    ShowAgreement(page);
}

// Choosing a radio button asks for the buttons that the choice allows.
void OnCommand(HWND page, WPARAM wParam)
{
    WORD control = LOWORD(wParam);
    if (control == IDC_LICENSE_ACCEPT || control == IDC_LICENSE_DECLINE)
        RequestWizardButtons(page, ButtonsForChoice(page));
}

}  // namespace

const PageConduct LicenseConduct = {.buttons = ButtonsForChoice,
                                    .focus = FocusedChoice,
                                    .initialise = Initialise,
                                    .command = OnCommand};
