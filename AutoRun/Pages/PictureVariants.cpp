#include "PictureVariants.h"

#include "PageValues.h"

#include <cstdint>

using TObj::CUnicodeString;

namespace PictureVariants {

namespace {

CUnicodeString SuffixOf(int percent)
{
    // 125 -> "@1.25x", 150 -> "@1.5x", 200 -> "@2x".
    CUnicodeString fraction = CUnicodeString::Format(u"%02d", percent % 100);
    while (!fraction.IsEmpty() && fraction[fraction.Length() - 1] == u'0')
        fraction = fraction.Left(fraction.Length() - 1);
    return CUnicodeString::Format(u"@%d", percent / 100) + (fraction.IsEmpty() ? fraction : u"." + fraction) + u"x";
}

} // namespace

CUnicodeString NameAt(const CUnicodeString& path, int percent)
{
    if (percent == 100)
        return path;
    int dot = -1;
    for (int i = path.Length() - 1; i >= 0 && path[i] != u'\\' && path[i] != u'/'; --i)
        if (path[i] == u'.') {
            dot = i;
            break;
        }
    const CUnicodeString suffix = SuffixOf(percent);
    return dot < 0 ? path + suffix : path.Left(dot) + suffix + path.Mid(dot);
}

CUnicodeString Choose(const CUnicodeString& path, int dpi, const std::function<bool(const CUnicodeString&)>& exists,
                      int& percent)
{
    // The scale the DPI asks for, in percent, rounded up: 120 dpi is 125 %.
    const int wanted =
        static_cast<int>((std::int64_t{dpi > 0 ? dpi : PageValues::kDefaultDpi} * 100 + PageValues::kDefaultDpi - 1) /
                         PageValues::kDefaultDpi);
    percent = 100;
    if (wanted <= 100)
        return path;
    for (const int scale : kScales)
        if (scale >= wanted && exists(NameAt(path, scale))) {
            percent = scale;
            return NameAt(path, scale);
        }
    // None at or above: the largest below.
    for (int i = static_cast<int>(sizeof kScales / sizeof kScales[0]) - 1; i >= 0; --i)
        if (kScales[i] < wanted && exists(NameAt(path, kScales[i]))) {
            percent = kScales[i];
            return NameAt(path, kScales[i]);
        }
    return path;
}

} // namespace PictureVariants
