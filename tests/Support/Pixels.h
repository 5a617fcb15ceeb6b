// Pixels.h
// Holds CPixels, a picture as 0x00RRGGBB values with rows from the top, and the ways tests
// get one: from a 24-bit bitmap file (what --render writes), from a window's client area
// as the screen shows it, or a single point of the screen; and the count of differing
// pixels of two pictures; and RectText, a rectangle as "left, top, right, bottom".
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct CPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// Empty when the file is not a bottom-up 24-bit bitmap.
CPixels ReadBitmapFile(const TObj::CUnicodeString& path);
// The client area as the screen shows it, or, `asDrawn`, as the window has drawn it, which
// the screen may show only once the window's thread handles messages again.
CPixels CaptureClient(HWND window, bool asDrawn = false);
// The colour the screen shows at a point of a window's client area, as a COLORREF.
COLORREF ScreenPixel(HWND window, int x, int y);
// -1 when the sizes differ.
int DifferingPixels(const CPixels& a, const CPixels& b);
std::string RectText(const RECT& rect);
