// The wizard's five pages: what each does beyond what every page does (in its own file),
// and each page's dialog procedure, one body with an entry of each page's own.
#pragma once

#include <windows.h>

#include "wizard/PageConduct.h"

extern const PageConduct WelcomeConduct;
extern const PageConduct ProductConduct;
extern const PageConduct LicenseConduct;
extern const PageConduct RegistrationConduct;
extern const PageConduct FinishConduct;

template <const PageConduct& conduct>
INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(conduct, page, message, wParam, lParam);
}

inline constexpr DLGPROC WelcomePageProc = PageProcedure<WelcomeConduct>;
inline constexpr DLGPROC ProductPageProc = PageProcedure<ProductConduct>;
inline constexpr DLGPROC LicensePageProc = PageProcedure<LicenseConduct>;
inline constexpr DLGPROC RegistrationPageProc = PageProcedure<RegistrationConduct>;
inline constexpr DLGPROC FinishPageProc = PageProcedure<FinishConduct>;
