// PageValues.h
// Holds the value syntaxes of page description files, each a parser that answers false
// for a malformed value so that the caller applies the key's default:
//  - integers with the "rel" DPI suffix, colours, booleans, decimal numbers;
//  - rectangles "[l, t, r, b]" and sizes "[w, h]", optionally followed by "rel";
//  - font sizes in pixels, "pt" or "rel";
//  - text with "\n" line breaks.
// Every number is parsed wider than it is stored; a value that does not fit is malformed.
#pragma once

#include "PageTypes.h"
#include "UnicodeString.h"

#include <cstdint>

namespace PageValues {

constexpr int kDefaultDpi = 96;
// The largest page width or height: the largest window Windows makes.
constexpr std::int64_t kMaxPageExtent = 32767;

// value x dpi / 96, rounded to the nearest integer with halves away from zero.
std::int64_t ScaleByDpi(std::int64_t value, int dpiY);

bool ParseInteger(const TObj::CUnicodeString& text, int dpiY, std::int32_t& out);
bool ParseColor(const TObj::CUnicodeString& text, std::uint32_t& out);
bool ParseBool(const TObj::CUnicodeString& text, bool& out);
bool ParseDecimal(const TObj::CUnicodeString& text, double& out);
bool ParseRect(const TObj::CUnicodeString& text, int dpiY, CPageRect& out);
bool ParseSize(const TObj::CUnicodeString& text, int dpiY, CPageSize& out);
bool ParseFontSize(const TObj::CUnicodeString& text, int dpiY, std::int32_t& out);

// Every backslash followed by "n" becomes one line feed.
TObj::CUnicodeString ExpandLineBreaks(const TObj::CUnicodeString& text);

} // namespace PageValues
