// CharClass.h
// Holds the fixed character classes of the foundation library: the white-space set
// used by trimming, number parsing and INI lines, the ASCII digits of placeholders and
// the hexadecimal digits of colours.
#pragma once

#include "UnicodeString.h"

namespace TObj {

constexpr bool IsWhiteSpace(WChar ch) noexcept
{
    return (ch >= 0x0009 && ch <= 0x000D) || ch == 0x0020 || ch == 0x0085 || ch == 0x00A0 || ch == 0x1680 ||
           (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 || ch == 0x2029 || ch == 0x202F || ch == 0x3000;
}

constexpr bool IsAsciiDigit(WChar ch) noexcept { return ch >= u'0' && ch <= u'9'; }

constexpr WChar FoldAsciiCase(WChar ch) noexcept
{
    return (ch >= u'A' && ch <= u'Z') ? static_cast<WChar>(ch + (u'a' - u'A')) : ch;
}

constexpr bool IsAsciiHexDigit(WChar ch) noexcept
{
    return IsAsciiDigit(ch) || (FoldAsciiCase(ch) >= u'a' && FoldAsciiCase(ch) <= u'f');
}

} // namespace TObj
