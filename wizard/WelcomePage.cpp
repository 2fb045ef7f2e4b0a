// The welcome page: the maker's logo and contacts, and a welcome naming the product.
#include <windows.h>
#include <commctrl.h>

#include "wizard/PageConduct.h"
#include "wizard/WizardPages.h"
#include "resources/resource.h"

namespace {

void Initialise(HWND page)
{
    FormatControlText(page, IDC_WELCOME_TEXT, 2);
}

const PageConduct Welcome = {PSWIZB_NEXT, nullptr, Initialise, nullptr, nullptr};

} // namespace

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(Welcome, page, message, wParam, lParam);
}
