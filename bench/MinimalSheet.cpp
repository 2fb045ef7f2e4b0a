// The benchmarks' yardstick: the least Win32 program that shows a one-page wizard sheet,
// built with the same toolchain as the setup but none of its care for size.
#include <windows.h>
#include <commctrl.h>

#include "MinimalSheet.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_MINIMAL_PAGE);
    page.pfnDlgProc = PageProc;
    HPROPSHEETPAGE pages[] = {CreatePropertySheetPageA(&page)};

    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_WIZARD;
    sheet.hInstance = instance;
    sheet.pszCaption = "Minimal Wizard";
    sheet.nPages = 1;
    sheet.phpage = pages;
    return PropertySheetA(&sheet) < 0 ? 1 : 0;
}
