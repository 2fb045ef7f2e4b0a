// The interior pages' header band as Windows draws it, which Wine does not: part of the
// layout probe, inside the setup.
#pragma once

#include <windows.h>

#include <string>

// One report line for the header of the sheet's current page, whose title and subtitle
// are the exe's strings `titleId` and `subtitleId`:
//   header  band found (0|1)  band width  title width  logo pixels under the title
//       logo pixels under the subtitle
// The band is the bitmap the sheet was given; it is drawn the way the first form of
// Wizard97 draws it, and the texts over it; a logo pixel is one of the band's that is not
// its ground colour. With `picturePath`, the header so drawn is written there as a PNG.
std::string DescribeHeader(HWND sheet, UINT titleId, UINT subtitleId, const char* picturePath);
