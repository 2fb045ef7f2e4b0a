// Writes a picture held in a GDI bitmap as a PNG file, through the platform's GDI+.
#pragma once

#include <windows.h>

#include <string>

// Writes `bitmap` (not selected into any device context) to `path` as a PNG.
bool SavePng(HBITMAP bitmap, const std::string& path);
