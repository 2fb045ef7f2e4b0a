// Pictures: the screen's DPI picks the scale, rounded down where it lies halfway, so that
// a picture never outgrows the place the page gives it.
#include "wizard/Pictures.h"

#include "app/ProcessState.h"
#include "support/LateBound.h"

namespace {

constexpr int BaseDpi = 96;
constexpr int Percent = 100;
// The scales the pictures are drawn at, and the screen scales up to which each is taken:
// 125% still takes 100%, 175% still 150%.
constexpr int DrawnScales[] = {100, 150, 200};
constexpr int TakenUpTo[] = {125, 175};

constexpr int Unknown = -1;
int scaleIndex = Unknown;

// The index in DrawnScales of the scale nearest the screen's. The system's DPI (the setup
// is DPI-aware) never changes while the process runs, so it is asked once.
int ScaleIndex()
{
    if (scaleIndex != Unknown)
        return scaleIndex;
    HDC screen = LateBound::GetDC(nullptr);
    int dpi = screen ? LateBound::GetDeviceCaps(screen, LOGPIXELSY) : BaseDpi;
    if (screen)
        LateBound::ReleaseDC(nullptr, screen);
    int scale = dpi * Percent / BaseDpi;
    scaleIndex = 0;
    while (scaleIndex < static_cast<int>(sizeof TakenUpTo / sizeof TakenUpTo[0]) &&
           scale > TakenUpTo[scaleIndex])
        ++scaleIndex;
    return scaleIndex;
}

}  // namespace

WORD PictureForScreen(const ScaledPicture& picture)
{
    const WORD ids[] = {picture.at100, picture.at150, picture.at200};
    return ids[ScaleIndex()];
}

// Shared images belong to the system, which frees them with the module: the pages need
// them for as long as they live.
void ShowPicture(HWND page, int controlId, const ScaledPicture& picture)
{
    HANDLE bitmap = LateBound::LoadImageA(AppInstance, MAKEINTRESOURCEA(PictureForScreen(picture)),
                                          IMAGE_BITMAP, 0, 0, LR_SHARED);
    LateBound::SendDlgItemMessageA(page, controlId, STM_SETIMAGE, IMAGE_BITMAP,
                                   reinterpret_cast<LPARAM>(bitmap));
}

void ShowIcon(HWND page, int controlId, WORD iconId, int sizeAt100)
{
    int size = sizeAt100 * DrawnScales[ScaleIndex()] / Percent;
    HANDLE icon = LateBound::LoadImageA(AppInstance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size,
                                        size, LR_SHARED);
    LateBound::SendDlgItemMessageA(page, controlId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}
