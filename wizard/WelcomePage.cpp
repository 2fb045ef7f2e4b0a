// The welcome page: the maker's logo and contacts, and a welcome naming the product.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "wizard/PageConduct.h"
#include "wizard/Pictures.h"
#include "wizard/WizardPages.h"

namespace {

void Initialise(HWND page)
{
    ShowPicture(page, IDC_LOGO, Logo);
    FormatControlText(page, IDC_WELCOME_TEXT);
}

}  // namespace

const PageConduct WelcomeConduct = {.buttons = FixedButtons<PSWIZB_NEXT>, .initialise = Initialise};
