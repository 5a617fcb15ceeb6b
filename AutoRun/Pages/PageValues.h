// PageValues.h
// Holds the value syntaxes of page description files, each a parser that answers false
// for a malformed value so that the caller applies the key's default:
//  - integers with the "rel" DPI suffix, colours, booleans, decimal numbers;
//  - on a page that scales as a whole, plain pixel values scaled as "rel" ones are;
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
// The scales an author's check looks at and "--dpi=all" renders: 100, 125, 150 and 200 %.
constexpr int kCheckedDpis[] = {96, 120, 144, 192};
// The largest page width or height: the largest window Windows makes.
constexpr std::int64_t kMaxPageExtent = 32767;

// value x dpi / 96, rounded to the nearest integer with halves away from zero.
std::int64_t ScaleByDpi(std::int64_t value, int dpiY);

// What a plain pixel value (no "rel", no "pt") means: pixels of the screen, or pixels of a
// page designed at 96 dpi that scales as a whole, as "rel" values do.
enum class EPixels { Kept, Scaled };

bool ParseInteger(const TObj::CUnicodeString& text, int dpiY, std::int32_t& out, EPixels pixels = EPixels::Kept);
bool ParseColor(const TObj::CUnicodeString& text, std::uint32_t& out);
bool ParseBool(const TObj::CUnicodeString& text, bool& out);
bool ParseDecimal(const TObj::CUnicodeString& text, double& out);
bool ParseRect(const TObj::CUnicodeString& text, int dpiY, CPageRect& out, EPixels pixels = EPixels::Kept);
bool ParseSize(const TObj::CUnicodeString& text, int dpiY, CPageSize& out, EPixels pixels = EPixels::Kept);
bool ParseFontSize(const TObj::CUnicodeString& text, int dpiY, std::int32_t& out, EPixels pixels = EPixels::Kept);

// Every backslash followed by "n" becomes one line feed.
TObj::CUnicodeString ExpandLineBreaks(const TObj::CUnicodeString& text);

} // namespace PageValues
