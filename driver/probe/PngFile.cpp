// PNG files through GDI+'s flat interface, which needs no C++ runtime of its own.
#include "driver/probe/PngFile.h"

#include <gdiplus.h>

bool SavePng(HBITMAP bitmap, const std::string& path)
{
    using namespace Gdiplus::DllExports;
    // The PNG encoder of GDI+.
    const CLSID pngEncoder = {
        0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    bool saved = false;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
        Gdiplus::GpBitmap* image = nullptr;
        if (GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok) {
            std::wstring widePath(path.begin(), path.end());
            saved =
                GdipSaveImageToFile(image, widePath.c_str(), &pngEncoder, nullptr) == Gdiplus::Ok;
            GdipDisposeImage(image);
        }
        Gdiplus::GdiplusShutdown(token);
    }
    return saved;
}
