// PageOutlines.h
// Holds the outlines a watching launcher draws over a page when its author asks (Ctrl+R):
// the colours of a command's rectangle, its text area and the comment's rectangle, each
// drawn as a one-pixel frame (ZYR::FrameInColour).
#pragma once

#include <windows.h>

namespace PageOutlines {

// Colours few pages use, so each outline stands out from what it frames.
constexpr COLORREF kCommand = RGB(255, 0, 255);
constexpr COLORREF kTextArea = RGB(0, 200, 255);
constexpr COLORREF kComment = RGB(255, 200, 0);

} // namespace PageOutlines
