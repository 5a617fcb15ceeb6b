#include "PageValues.h"

#include "CharClass.h"

#include <cmath>
#include <limits>

using TObj::CUnicodeString;
using TObj::WChar;

namespace PageValues {

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

bool FitsInt32(std::int64_t value) { return value >= kInt32Min && value <= kInt32Max; }

const CUnicodeString& RelSuffix()
{
    static const CUnicodeString suffix(u"rel");
    return suffix;
}

// Splits a trimmed value into its number part and whether it ended in `suffix` directly
// behind the number (no white space in between).
bool SplitSuffix(const CUnicodeString& trimmed, const CUnicodeString& suffix, CUnicodeString& number)
{
    if (!trimmed.EndsWith(suffix))
        return false;
    number = trimmed.Left(trimmed.Length() - suffix.Length());
    return true;
}

// Reads integers the way formatted input reads "%d": leading white space, a sign, digits.
class CBracketScanner {
public:
    explicit CBracketScanner(const CUnicodeString& text) : m_text(text) {}

    bool Literal(WChar ch)
    {
        if (m_text[m_at] != ch)
            return false;
        ++m_at;
        return true;
    }

    void SkipWhiteSpace()
    {
        while (m_at < m_text.Length() && TObj::IsWhiteSpace(m_text[m_at]))
            ++m_at;
    }

    bool Integer(std::int64_t& out)
    {
        SkipWhiteSpace();
        const bool negative = m_text[m_at] == u'-';
        if (m_text[m_at] == u'-' || m_text[m_at] == u'+')
            ++m_at;
        const int start = m_at;
        std::int64_t value = 0;
        for (; TObj::IsAsciiDigit(m_text[m_at]); ++m_at) {
            value = value * 10 + (m_text[m_at] - u'0');
            if (value > kInt32Max + 1)
                return false;
        }
        out = negative ? -value : value;
        return m_at > start && FitsInt32(out);
    }

    // Reads "[n1, n2, ...]" for `count` numbers; the closing bracket may be missing.
    bool Numbers(std::int64_t* values, int count)
    {
        SkipWhiteSpace();
        if (!Literal(u'['))
            return false;
        for (int i = 0; i < count; ++i) {
            if (!Integer(values[i]))
                return false;
            if (i + 1 < count && !Literal(u','))
                return false;
        }
        return true;
    }

private:
    const CUnicodeString& m_text;
    int m_at = 0;
};

bool ParseBracketed(const CUnicodeString& text, int dpiY, EPixels pixels, std::int64_t* values, int count)
{
    const CUnicodeString trimmed = text.Trimmed();
    CBracketScanner scanner(trimmed);
    if (!scanner.Numbers(values, count))
        return false;
    if (trimmed.EndsWith(RelSuffix()) || pixels == EPixels::Scaled)
        for (int i = 0; i < count; ++i)
            values[i] = ScaleByDpi(values[i], dpiY);
    for (int i = 0; i < count; ++i)
        if (!FitsInt32(values[i]))
            return false;
    return true;
}

} // namespace

std::int64_t ScaleByDpi(std::int64_t value, int dpiY)
{
    if (dpiY <= 0)
        dpiY = kDefaultDpi;
    // |value| stays below 2^33 and dpi below 2^31 for every caller, so the product fits.
    const std::int64_t product = value * dpiY;
    std::int64_t quotient = product / kDefaultDpi;
    const std::int64_t remainder = product % kDefaultDpi;
    if (2 * (remainder < 0 ? -remainder : remainder) >= kDefaultDpi)
        quotient += product < 0 ? -1 : 1;
    return quotient;
}

bool ParseInteger(const CUnicodeString& text, int dpiY, std::int32_t& out, EPixels pixels)
{
    const CUnicodeString trimmed = text.Trimmed();
    CUnicodeString number = trimmed;
    const bool relative = SplitSuffix(trimmed, RelSuffix(), number);
    if (relative && (number.IsEmpty() || TObj::IsWhiteSpace(number[number.Length() - 1])))
        return false;
    std::int64_t value;
    if (!number.ToInt64(value) || !FitsInt32(value))
        return false;
    if (relative || pixels == EPixels::Scaled)
        value = ScaleByDpi(value, dpiY);
    if (!FitsInt32(value))
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

// Web colours name red first; a COLORREF keeps red in its lowest byte, so "#1D4E89" and
// "894E1D" are the same blue.
bool ParseColor(const CUnicodeString& text, std::uint32_t& out)
{
    const CUnicodeString trimmed = text.Trimmed();
    if (trimmed.Length() == 0 || trimmed[0] != u'#')
        return text.ToHex(out);
    constexpr int kWebDigits = 6;
    if (trimmed.Length() != 1 + kWebDigits)
        return false;
    for (int i = 1; i <= kWebDigits; ++i)
        if (!TObj::IsAsciiHexDigit(trimmed[i]))
            return false;
    std::uint32_t rgb = 0;
    if (!trimmed.Mid(1).ToHex(rgb))
        return false;
    out = ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
    return true;
}

bool ParseBool(const CUnicodeString& text, bool& out) { return text.ToBool(out); }

bool ParseDecimal(const CUnicodeString& text, double& out) { return text.ToDouble(out); }

bool ParseRect(const CUnicodeString& text, int dpiY, CPageRect& out, EPixels pixels)
{
    std::int64_t v[4];
    if (!ParseBracketed(text, dpiY, pixels, v, 4))
        return false;
    // Width and height are taken later; a rectangle whose extent does not fit is malformed.
    if (!FitsInt32(v[2] - v[0]) || !FitsInt32(v[3] - v[1]))
        return false;
    out = CPageRect{static_cast<std::int32_t>(v[0]), static_cast<std::int32_t>(v[1]), static_cast<std::int32_t>(v[2]),
                    static_cast<std::int32_t>(v[3])};
    return true;
}

bool ParseSize(const CUnicodeString& text, int dpiY, CPageSize& out, EPixels pixels)
{
    std::int64_t v[2];
    // A client area no screen can show would place the window far off every screen.
    if (!ParseBracketed(text, dpiY, pixels, v, 2) || v[0] < 0 || v[1] < 0 || v[0] > kMaxPageExtent ||
        v[1] > kMaxPageExtent)
        return false;
    out = CPageSize{static_cast<std::int32_t>(v[0]), static_cast<std::int32_t>(v[1])};
    return true;
}

bool ParseFontSize(const CUnicodeString& text, int dpiY, std::int32_t& out, EPixels pixels)
{
    if (dpiY <= 0)
        dpiY = kDefaultDpi;
    const CUnicodeString trimmed = text.Trimmed();
    CUnicodeString number = trimmed;
    const bool points = SplitSuffix(trimmed, CUnicodeString(u"pt"), number);
    const bool suffixed = !points && SplitSuffix(trimmed, RelSuffix(), number);
    const bool relative = suffixed || (!points && pixels == EPixels::Scaled);
    if ((points || suffixed) && (number.IsEmpty() || TObj::IsWhiteSpace(number[number.Length() - 1])))
        return false;
    double value;
    if (!number.ToDouble(value))
        return false;
    const double tenthsExact = std::trunc(value * 10);
    if (!(tenthsExact >= static_cast<double>(kInt32Min) && tenthsExact <= static_cast<double>(kInt32Max)))
        return false;
    const auto tenths = static_cast<std::int64_t>(tenthsExact);
    std::int64_t stored;
    if (points && tenths >= 1) {
        // tenths x dpi / 720, rounded like the integer scaling.
        const std::int64_t product = tenths * dpiY;
        stored = -((product + 360) / 720);
    } else if (relative) {
        const std::int64_t product = tenths * dpiY;
        stored = product >= 0 ? (product + 480) / 960 : -((-product + 480) / 960);
    } else {
        stored = tenths / 10;
    }
    if (!FitsInt32(stored))
        return false;
    out = static_cast<std::int32_t>(stored);
    return true;
}

CUnicodeString ExpandLineBreaks(const CUnicodeString& text)
{
    CUnicodeString result(text);
    result.ReplaceAll(CUnicodeString(u"\\n"), CUnicodeString(u"\n"));
    return result;
}

} // namespace PageValues
