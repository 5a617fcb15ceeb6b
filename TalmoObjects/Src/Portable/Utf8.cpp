#include "Utf8.h"

#include <limits>
#include <vector>

namespace TObj {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Writes one code point at `out` and returns how many units it took.
int PutCodePoint(WChar* out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out[0] = static_cast<WChar>(0xD800 + (cp >> 10));
        out[1] = static_cast<WChar>(0xDC00 + (cp & 0x3FF));
        return 2;
    }
    out[0] = static_cast<WChar>(cp);
    return 1;
}

// Reads one sequence at `i`; returns its code point and advances `i` past the bytes used.
char32_t ReadSequence(const unsigned char* bytes, std::size_t count, std::size_t& i)
{
    const unsigned char lead = bytes[i++];
    if (lead < 0x80)
        return lead;
    int trail;
    char32_t cp;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trail = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trail = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trail = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < trail; ++k) {
        if (i >= count || (bytes[i] & 0xC0) != 0x80)
            return kReplacement; // the byte that broke the sequence is read again
        cp = (cp << 6) | (bytes[i++] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return kReplacement;
    return cp;
}

} // namespace

CUnicodeString DecodeUtf8(const char* bytes, std::size_t count)
{
    // A whole file decodes in place into one string as long as its bytes (a byte gives at
    // most one unit): exact for ASCII, the usual page file. Text that came out much
    // shorter is copied to its size, so a string does not carry unused room.
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    const int capacity = count > static_cast<std::size_t>(std::numeric_limits<int>::max())
                             ? std::numeric_limits<int>::max()
                             : static_cast<int>(count);
    CUnicodeString text = CUnicodeString::Written(capacity, [&](WChar* units) {
        int length = 0;
        for (std::size_t i = 0; i < count;)
            length += PutCodePoint(units + length, ReadSequence(data, count, i));
        return length;
    });
    if (text.Length() < capacity - capacity / 4)
        return CUnicodeString(text.Ptr(), text.Length());
    return text;
}

std::vector<char> EncodeUtf8(const WChar* text, std::size_t count)
{
    std::vector<char> out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace TObj
