// HighContrast.h
// Holds HighContrast, whether pages are drawn in the colours of Windows' high-contrast
// theme: when the theme is on (read again at each theme change), or when an author asks
// for it to see or render pages as such a user sees them; and the theme's colours for each
// part of a page.
#pragma once

#include <windows.h>

namespace HighContrast {

bool IsOn() noexcept;
// After a theme change: the system's setting is read again.
void Refresh() noexcept;
// "--high-contrast": on whatever the system says (and off again, for tests: Wine keeps no
// high-contrast setting).
void Force(bool on = true) noexcept;

// The theme's colours: the window and plain text, a hovered or focused command, and what
// cannot be used (labels, disabled commands).
inline COLORREF Window() noexcept { return GetSysColor(COLOR_WINDOW); }
inline COLORREF Text() noexcept { return GetSysColor(COLOR_WINDOWTEXT); }
inline COLORREF Highlight() noexcept { return GetSysColor(COLOR_HIGHLIGHT); }
inline COLORREF HighlightText() noexcept { return GetSysColor(COLOR_HIGHLIGHTTEXT); }
inline COLORREF Unusable() noexcept { return GetSysColor(COLOR_GRAYTEXT); }

} // namespace HighContrast
