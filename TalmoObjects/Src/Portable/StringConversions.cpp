// Number, boolean and decimal conversions of CUnicodeString. They never consult the
// C locale, so page files read the same on every system.
#include "UnicodeString.h"

#include "CharClass.h"
#include "DecimalToDouble.h"

#include <cmath>
#include <limits>

namespace TObj {

namespace {

int SkipWhiteSpace(const WChar* text, int length, int at)
{
    while (at < length && IsWhiteSpace(text[at]))
        ++at;
    return at;
}

int DigitValue(WChar ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'z')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'Z')
        return ch - u'A' + 10;
    return 99;
}

// Parses digits of `base` at `at`; fails on none or on a value above `limit`.
bool ParseDigits(const WChar* text, int length, int& at, int base, std::uint64_t limit, std::uint64_t& value)
{
    value = 0;
    const int start = at;
    for (; at < length && DigitValue(text[at]) < base; ++at) {
        const auto digit = static_cast<std::uint64_t>(DigitValue(text[at]));
        if (value > (limit - digit) / static_cast<std::uint64_t>(base))
            return false;
        value = value * static_cast<std::uint64_t>(base) + digit;
    }
    return at > start;
}

CUnicodeString DigitsOf(std::uint64_t value, int base, bool negative)
{
    if (base < 2 || base > 36)
        base = 10;
    WChar buffer[72];
    int at = 72;
    buffer[--at] = 0;
    do {
        const int digit = static_cast<int>(value % static_cast<std::uint64_t>(base));
        buffer[--at] = static_cast<WChar>(digit < 10 ? u'0' + digit : u'a' + digit - 10);
        value /= static_cast<std::uint64_t>(base);
    } while (value != 0);
    if (negative)
        buffer[--at] = u'-';
    return CUnicodeString(buffer + at);
}

} // namespace

CUnicodeString CUnicodeString::FromInt(std::int64_t value, int base)
{
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return DigitsOf(magnitude, base, negative);
}

CUnicodeString CUnicodeString::FromUInt(std::uint64_t value, int base) { return DigitsOf(value, base, false); }

bool CUnicodeString::ToInt64(std::int64_t& out) const noexcept
{
    const WChar* text = Ptr();
    const int length = Length();
    int at = SkipWhiteSpace(text, length, 0);
    const bool negative = at < length && text[at] == u'-';
    if (at < length && (text[at] == u'-' || text[at] == u'+'))
        ++at;
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    std::uint64_t magnitude;
    if (!ParseDigits(text, length, at, 10, limit, magnitude) || SkipWhiteSpace(text, length, at) != length)
        return false;
    out = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool CUnicodeString::ToInt(std::int32_t& out) const noexcept
{
    std::int64_t wide;
    if (!ToInt64(wide) || wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(wide);
    return true;
}

bool CUnicodeString::ToHex(std::uint32_t& out) const noexcept
{
    const WChar* text = Ptr();
    const int length = Length();
    int at = SkipWhiteSpace(text, length, 0);
    if (at + 1 < length && text[at] == u'0' && (text[at + 1] == u'x' || text[at + 1] == u'X'))
        at += 2;
    std::uint64_t value;
    if (!ParseDigits(text, length, at, 16, 0xFFFFFFFFu, value) || SkipWhiteSpace(text, length, at) != length)
        return false;
    out = static_cast<std::uint32_t>(value);
    return true;
}

bool CUnicodeString::ToBool(bool& out) const noexcept
{
    static const WChar* const kTrue[] = {u"true", u"on", u"yes", u"1"};
    static const WChar* const kFalse[] = {u"false", u"off", u"no", u"0"};
    const CUnicodeString word = Trimmed();
    for (int i = 0; i < 4; ++i) {
        if (word.EqualsNoCase(CUnicodeString(kTrue[i]))) {
            out = true;
            return true;
        }
        if (word.EqualsNoCase(CUnicodeString(kFalse[i]))) {
            out = false;
            return true;
        }
    }
    return false;
}

bool CUnicodeString::ToDouble(double& out) const noexcept
{
    // Grammar: [sign] digits [sep digits] [e [sign] digits], at least one mantissa digit,
    // where sep is "." or ",". Anything else, including a second separator, fails.
    const CUnicodeString word = Trimmed();
    int at = 0;
    const int length = word.Length();
    const WChar* text = word.Ptr();
    bool negative = false;
    if (at < length && (text[at] == u'+' || text[at] == u'-'))
        negative = text[at++] == u'-';
    constexpr int kKeptDigits = 801;
    unsigned char digits[kKeptDigits];
    int count = 0;
    bool moreDigits = false;
    std::int64_t exponent = 0;
    int mantissaDigits = 0;
    bool fraction = false;
    for (; at < length; ++at) {
        if (!fraction && (text[at] == u'.' || text[at] == u',')) {
            fraction = true;
            continue;
        }
        if (!IsAsciiDigit(text[at]))
            break;
        ++mantissaDigits;
        const auto digit = static_cast<unsigned char>(text[at] - u'0');
        if (count == 0 && digit == 0) {
            exponent -= fraction;
        } else if (count < kKeptDigits) {
            digits[count++] = digit;
            exponent -= fraction;
        } else {
            moreDigits = moreDigits || digit != 0;
            exponent += !fraction;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (at < length && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        bool exponentNegative = false;
        if (at < length && (text[at] == u'+' || text[at] == u'-'))
            exponentNegative = text[at++] == u'-';
        // The digits move the point by less than 2^31 places, so beyond 10^12 the number is
        // zero or infinite however many digits it has.
        std::int64_t written = 0;
        int exponentDigits = 0;
        for (; at < length && IsAsciiDigit(text[at]); ++at, ++exponentDigits)
            written = written < 1000000000000 ? written * 10 + (text[at] - u'0') : written;
        if (exponentDigits == 0)
            return false;
        exponent += exponentNegative ? -written : written;
    }
    if (at != length)
        return false;
    const double value = DecimalToDouble(digits, count, moreDigits, exponent, negative);
    // Too large, or too small to be told from zero, is out of range rather than rounded.
    if (!std::isfinite(value) || (value == 0 && count > 0))
        return false;
    out = value;
    return true;
}

} // namespace TObj
