// ScreenPixel.h
// Holds ScreenPixel, the colour the screen shows at a point of a window's client area, for
// tests and benchmarks that watch another process's window.
#pragma once

#include <windows.h>

inline COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    const HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return color;
}
