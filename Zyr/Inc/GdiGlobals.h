// GdiGlobals.h
// Holds the window library's drawing helpers: the bitmap stretch, a picture drawn (blended
// when it carries alpha), the text extent with external leading and slant correction, and
// the screen's vertical DPI, a window's children drawn into a picture of it, the reading
// order and picture copy of a mirrored context, and a frame in a colour.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <vector>

namespace ZYR {

class CBitmap;

// Pictures keep their orientation on a mirrored context: the layout is mirrored, the pixels
// of a picture are not. Every copy of a picture goes with this raster operation.
constexpr DWORD kPictureCopy = SRCCOPY | NOMIRRORBITMAP;
// DT_RTLREADING on a mirrored context, else 0: a page laid out right to left reads right to
// left too, so a text that mixes scripts, digits and punctuation reads in its own order.
UINT TextReadingOrder(HDC dc);
// StretchBlt of the whole bitmap onto `target` with `mode`; the old mode is restored.
void StretchBitmap(HBITMAP bitmap, HDC dc, const RECT& target, int mode);
void StretchBitmap(HBITMAP bitmap, HDC dc, const RECT& target, const RECT& source, int mode);
// The whole picture onto `target`: stretched as above, or, when it carries alpha, blended
// over what `dc` already holds there.
void DrawPicture(const CBitmap& picture, HDC dc, const RECT& target, int mode);
// One-pixel frames in `colour`: the first on `rect`, each further one a pixel outside the last.
void FrameInColour(HDC dc, RECT rect, COLORREF colour, int rings = 1);
// GetTextExtentPoint32W, plus tmExternalLeading to the height and the overhang
// correction to the width.
SIZE GetTextExtent(HDC dc, const TObj::CUnicodeString& text);
// The slant correction for an italic angle in tenths of a degree.
int SlantCorrection(int italicAngle, int ascent, int internalLeading, int overhang);
// LOGPIXELSY of the screen.
int GetScreenDpiY();
// The children of `window` from the bottom of the z-order up.
std::vector<HWND> ChildrenBottomUp(HWND window);
// The visible ones of `window`'s children `bottomUp` (with `within`, only those that reach
// into that region of its client area), in that order, each drawn by its WM_PRINTCLIENT
// over what `canvas` (the client area as the screen shows it, left to right whatever the
// window's layout) holds beneath it, clipped to its own rectangle.
void PrintChildren(HWND window, HDC canvas, const std::vector<HWND>& bottomUp, HRGN within = nullptr);
// One child's picture into `canvas` at `placed` (canvas pixels, left to right): `draw`
// paints the client area of `child` from its own origin, clipped to it; a right-to-left
// child (`mirrored`) draws mirrored, as its window would.
void PrintInPlace(HDC canvas, const RECT& placed, bool mirrored, void (*draw)(HDC dc, void* child), void* child);

} // namespace ZYR
