// PageOutlines.h
// Holds the outlines a watching launcher draws over a page when its author asks (Ctrl+R):
// the colours of a command's rectangle, its text area and the comment's rectangle, and the
// one-pixel frame each is drawn as.
#pragma once

#include <windows.h>

namespace PageOutlines {

// Colours few pages use, so each outline stands out from what it frames.
constexpr COLORREF kCommand = RGB(255, 0, 255);
constexpr COLORREF kTextArea = RGB(0, 200, 255);
constexpr COLORREF kComment = RGB(255, 200, 0);

void Frame(HDC dc, const RECT& rect, COLORREF colour);

} // namespace PageOutlines
