// The pages' pictures, drawn at 100%, 150% and 200%: each page shows the one nearest the
// screen's DPI, so that a picture is neither blurred nor small beside its text.
#pragma once

#include <windows.h>

#include "resources/resource.h"

// One picture's resource ids at the three scales.
struct ScaledPicture {
    WORD at100;
    WORD at150;
    WORD at200;
};

// The maker's logo on the welcome page.
constexpr ScaledPicture Logo = {IDB_LOGO, IDB_LOGO_150, IDB_LOGO_200};
// The interior pages' header band, which the sheet draws behind their titles.
constexpr ScaledPicture HeaderBand = {IDB_HEADER, IDB_HEADER_150, IDB_HEADER_200};

// The resource id of `picture` at the scale nearest the screen's DPI.
WORD PictureForScreen(const ScaledPicture& picture);

// Shows `picture` in a page's picture control.
void ShowPicture(HWND page, int controlId, const ScaledPicture& picture);

// Shows the icon `iconId` in a page's icon control, at `sizeAt100` pixels scaled for the
// screen (the icon holds an image of each size).
void ShowIcon(HWND page, int controlId, WORD iconId, int sizeAt100);
