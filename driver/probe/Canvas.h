// A picture in memory for a probe or a test to draw into or copy a window's pixels into,
// and to read back pixel by pixel.
#pragma once

#include <windows.h>

#include <vector>

#include "driver/probe/PngFile.h"

class Canvas {
public:
    Canvas(HDC like, SIZE size)
        : size(size), dc(CreateCompatibleDC(like)),
          bitmap(CreateCompatibleBitmap(like, size.cx, size.cy)), old(SelectObject(dc, bitmap))
    {
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc; }
    // The pixels, top row first, as 0x00RRGGBB.
    std::vector<DWORD> Pixels() const
    {
        std::vector<DWORD> pixels(size.cx * size.cy);
        // 32 bits a pixel, top row first (a negative height).
        BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB}};
        SelectObject(dc, old);  // a bitmap is read while no device context holds it
        GetDIBits(dc, bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
        SelectObject(dc, bitmap);
        return pixels;
    }
    // As 0x00RRGGBB, the order Pixels() gives.
    static DWORD Colour(COLORREF c)
    {
        return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
    // Writes the picture to `path` as a PNG.
    bool Save(const char* path) const
    {
        SelectObject(dc, old);
        const bool saved = SavePng(bitmap, path);
        SelectObject(dc, bitmap);
        return saved;
    }

private:
    SIZE size;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};
