#include "TextDecoding.h"

#include "Utf8.h"

#include <limits>

namespace TObj {

namespace {

// A lone last byte is left out.
bool DecodeUtf16(const unsigned char* bytes, std::size_t count, bool bigEndian, CUnicodeString& text)
{
    if (count / 2 > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return false;
    const int length = static_cast<int>(count / 2);
    text = CUnicodeString::Written(length, [&](WChar* units) {
        for (int i = 0; i < length; ++i) {
            const unsigned first = bytes[2 * i], second = bytes[2 * i + 1];
            units[i] = static_cast<WChar>(bigEndian ? (first << 8) | second : (second << 8) | first);
        }
        return length;
    });
    return count % 2 == 0;
}

// The offset of the first broken sequence at or after `from`; `count` when there is none.
std::size_t NextInvalidUtf8(const unsigned char* bytes, std::size_t count, std::size_t from)
{
    for (std::size_t i = from; i < count;) {
        const unsigned char lead = bytes[i];
        int trail;
        if (lead < 0x80)
            trail = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            trail = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            trail = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            trail = 3;
        else
            return i;
        if (count - i <= static_cast<std::size_t>(trail))
            return i;
        for (int k = 1; k <= trail; ++k)
            if ((bytes[i + k] & 0xC0) != 0x80)
                return i;
        // Overlong forms, surrogates and values above U+10FFFF.
        if ((lead == 0xE0 && bytes[i + 1] < 0xA0) || (lead == 0xED && bytes[i + 1] >= 0xA0) ||
            (lead == 0xF0 && bytes[i + 1] < 0x90) || (lead == 0xF4 && bytes[i + 1] >= 0x90))
            return i;
        i += static_cast<std::size_t>(trail) + 1;
    }
    return count;
}

bool IsLineEnd(WChar ch) { return ch == 10 || ch == 11 || ch == 12 || ch == 13 || ch == 0x2028 || ch == 0x2029; }

} // namespace

int DetectEncoding(const unsigned char* bytes, std::size_t count, int fallback, std::size_t& markLength) noexcept
{
    markLength = 0;
    if (count >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        markLength = 3;
        return kCodePageUtf8;
    }
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        markLength = 2;
        return kCodePageUtf16LE;
    }
    if (count >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        markLength = 2;
        return kCodePageUtf16BE;
    }
    return fallback;
}

bool DecodeText(const unsigned char* bytes, std::size_t count, int codePage, CUnicodeString& text)
{
    switch (codePage) {
    case kCodePageUtf16LE: return DecodeUtf16(bytes, count, false, text);
    case kCodePageUtf16BE: return DecodeUtf16(bytes, count, true, text);
    case kCodePageUtf8:
        text = DecodeUtf8(reinterpret_cast<const char*>(bytes), count);
        return NextInvalidUtf8(bytes, count, 0) == count;
    default: return DecodeCodePage(bytes, count, codePage, text);
    }
}

std::vector<std::size_t> UndecodableOffsets(const unsigned char* bytes, std::size_t count, int codePage)
{
    std::vector<std::size_t> offsets;
    if (codePage == kCodePageUtf8)
        for (std::size_t at = NextInvalidUtf8(bytes, count, 0); at < count; at = NextInvalidUtf8(bytes, count, at + 1))
            offsets.push_back(at);
    else if ((codePage == kCodePageUtf16LE || codePage == kCodePageUtf16BE) && count % 2 != 0)
        offsets.push_back(count - 1);
    return offsets;
}

bool NextLine(const CUnicodeString& text, int& position, int& start, int& length) noexcept
{
    const int end = text.Length();
    if (position >= end)
        return false;
    const WChar* units = text.Ptr();
    start = position;
    int at = position;
    while (at < end && !IsLineEnd(units[at]))
        ++at;
    length = at - start;
    if (at < end && units[at] == 13 && at + 1 < end && units[at + 1] == 10)
        ++at;
    position = at + 1;
    return true;
}

std::vector<CUnicodeString> SplitLines(const CUnicodeString& text)
{
    std::vector<CUnicodeString> lines;
    int position = 0, start = 0, length = 0;
    while (NextLine(text, position, start, length))
        lines.push_back(text.Mid(start, length));
    return lines;
}

} // namespace TObj
