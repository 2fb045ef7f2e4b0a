// The product information page: what the product does, one check mark a feature.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "wizard/PageConduct.h"
#include "wizard/Pictures.h"
#include "wizard/WizardPages.h"

namespace {

constexpr DWORD Buttons = PSWIZB_BACK | PSWIZB_NEXT;

constexpr int CheckMarkSize = 16;  // at 100%
constexpr int CheckMarks[] = {IDC_CHECKMARK_1, IDC_CHECKMARK_2, IDC_CHECKMARK_3, IDC_CHECKMARK_4,
                              IDC_CHECKMARK_5};

void Initialise(HWND page)
{
    FormatControlText(page, IDC_PRODUCT_HEADING);
    for (int checkMark : CheckMarks)
        ShowIcon(page, checkMark, IDI_CHECKMARK, CheckMarkSize);
}

// The request on leaving comes before the license page's own, which then decides.
BOOL OnNotify(HWND page, WPARAM, LPARAM lParam)
{
    if (NotificationCode(lParam) == static_cast<UINT>(PSN_WIZNEXT))
        RequestWizardButtons(page, Buttons);
    return FALSE;
}

}  // namespace

const PageConduct ProductConduct = {
    .buttons = FixedButtons<Buttons>, .initialise = Initialise, .notify = OnNotify};
