// Win32Rect.h
// Holds ToRect, a page rectangle as the RECT that window and drawing calls take. Windows
// only: the page's geometry itself (PageTypes.h) stays portable.
#pragma once

#include "PageTypes.h"

#include <windows.h>

inline RECT ToRect(const CPageRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
