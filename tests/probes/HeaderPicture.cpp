// The header band drawn as the first (IE4) form of Wizard97 draws it on Windows: the header
// bitmap from the band's top-left corner, the rest of the band filled with the bitmap's
// top-left colour, the bold title at (20, 10) and the subtitle at (40, 25) over it. Wine
// loads that bitmap but paints none given by resource id, so only this drawing shows
// whether the titles fall on the logo.
#include "tests/probes/HeaderPicture.h"

#include <commctrl.h>

#include <initializer_list>
#include <vector>

#include "driver/probe/Canvas.h"
#include "driver/probe/RecordFile.h"
#include "driver/probe/SharedNames.h"

namespace {

// The sheet's etched line under the header band.
constexpr int HeaderLineId = 0x3027;
// Where the first form of Wizard97 writes the page's title and subtitle.
constexpr POINT TitleAt = {20, 10};
constexpr POINT SubtitleAt = {40, 25};
constexpr int TextSize = 256;

// What the sheet keeps of what it was handed, as Wine's common controls hold it (the
// window property "PropertySheetInfo"): the sheet's window, then a copy of the header,
// whose header bitmap member Wine has replaced by the bitmap it loaded from the id given.
// Windows keeps no such record; there the probe finds nothing and says so.
struct SheetRecord {
    HWND sheet;
    PROPSHEETHEADERW header;
};

HBITMAP GivenBand(HWND sheet)
{
    const auto* record = static_cast<const SheetRecord*>(GetPropW(sheet, L"PropertySheetInfo"));
    if (!record || record->sheet != sheet || !(record->header.dwFlags & PSH_HEADER) ||
        (record->header.dwFlags & PSH_USEHBMHEADER))
        return nullptr;
    HBITMAP band = record->header.hbmHeader;
    return GetObjectType(band) == OBJ_BITMAP ? band : nullptr;
}

// The band at the area's top-left corner, the rest of the area in its top-left colour.
void DrawBand(HDC target, SIZE area, HBITMAP band, SIZE& bandSize)
{
    BITMAP info = {};
    GetObjectW(band, sizeof info, &info);
    bandSize = {info.bmWidth, info.bmHeight};
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, band);
    HBRUSH ground = CreateSolidBrush(GetPixel(source, 0, 0));
    RECT whole = {0, 0, area.cx, area.cy};
    FillRect(target, &whole, ground);
    DeleteObject(ground);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight < area.cy ? info.bmHeight : area.cy, source, 0,
           0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

// Writes a header text at `at` and returns the rectangle it takes, as wide and high as it
// measures.
RECT Write(HDC dc, HFONT font, const wchar_t* text, POINT at, UINT format)
{
    HGDIOBJ old = SelectObject(dc, font);
    RECT rect = {at.x, at.y, at.x, at.y};
    DrawTextW(dc, text, -1, &rect, format | DT_CALCRECT);
    DrawTextW(dc, text, -1, &rect, format | DT_NOCLIP);
    SelectObject(dc, old);
    return rect;
}

// The band's pixels inside `rect` that are not its ground colour (the top-left pixel's).
long LogoPixels(const std::vector<DWORD>& pixels, SIZE area, const RECT& rect)
{
    long count = 0;
    for (long y = rect.top > 0 ? rect.top : 0; y < rect.bottom && y < area.cy; ++y)
        for (long x = rect.left > 0 ? rect.left : 0; x < rect.right && x < area.cx; ++x)
            count += pixels[y * area.cx + x] != pixels[0];
    return count;
}

std::string HeaderRecord(std::initializer_list<long> values)
{
    Record record = {LayoutLine::Header};
    for (long value : values)
        record.push_back(std::to_string(value));
    return RecordLine(record);
}

}  // namespace

std::string DescribeHeader(HWND sheet, UINT titleId, UINT subtitleId, const char* picturePath)
{
    HBITMAP band = GivenBand(sheet);
    if (!band)
        return HeaderRecord({0});

    // The area down to the line under it, across the sheet.
    RECT client, line;
    GetClientRect(sheet, &client);
    GetWindowRect(GetDlgItem(sheet, HeaderLineId), &line);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&line), 2);
    const SIZE area = {client.right, line.top};

    // The sheet's own font for the subtitle, and its bold form for the title.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(sheet, WM_GETFONT, 0, 0));
    LOGFONTW bold = {};
    GetObjectW(font, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    HFONT boldFont = CreateFontIndirectW(&bold);

    wchar_t title[TextSize] = {}, subtitle[TextSize] = {};
    HINSTANCE exe = GetModuleHandleW(nullptr);
    LoadStringW(exe, titleId, title, TextSize);
    LoadStringW(exe, subtitleId, subtitle, TextSize);

    HDC screen = GetDC(nullptr);
    std::string report;
    {
        Canvas canvas(screen, area);
        SIZE bandSize;
        DrawBand(canvas.Dc(), area, band, bandSize);
        const std::vector<DWORD> pixels = canvas.Pixels();
        SetBkMode(canvas.Dc(), TRANSPARENT);
        SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        const RECT titleRect = Write(canvas.Dc(), boldFont, title, TitleAt, DT_SINGLELINE);
        const RECT subtitleRect = Write(canvas.Dc(), font, subtitle, SubtitleAt, 0);
        if (picturePath)
            canvas.Save(picturePath);
        report = HeaderRecord({1, bandSize.cx, titleRect.right - titleRect.left,
                               LogoPixels(pixels, area, titleRect),
                               LogoPixels(pixels, area, subtitleRect)});
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(boldFont);
    return report;
}
