// printf-style formatting of CUnicodeString, written out here rather than borrowed from
// the C library because wide printf differs between Windows and the host build.
#include "UnicodeString.h"

#include "Utf8.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace TObj {

namespace {

// Widths and precisions come from the program's own format texts; the cap keeps a
// wrong one from asking for gigabytes.
constexpr int kMaxField = 1 << 16;

struct CSpec {
    bool left = false, plus = false, space = false, alternate = false, zero = false;
    int width = 0;
    int precision = -1;
    enum { None, Char, Short, Long, LongLong, Size, Int32 } length = None;
};

int ReadNumber(const WChar*& p)
{
    int value = 0;
    while (*p >= u'0' && *p <= u'9') {
        if (value < kMaxField)
            value = value * 10 + (*p - u'0');
        ++p;
    }
    return value < kMaxField ? value : kMaxField;
}

void Pad(CUnicodeString& out, int count, WChar ch)
{
    if (count > 0)
        out += CUnicodeString::Repeat(ch, count);
}

void Emit(CUnicodeString& out, const CSpec& spec, const CUnicodeString& prefix, const CUnicodeString& body,
          bool zeroPadAllowed)
{
    const int fill = spec.width - prefix.Length() - body.Length();
    if (spec.left) {
        out += prefix;
        out += body;
        Pad(out, fill, u' ');
    } else if (spec.zero && zeroPadAllowed) {
        out += prefix;
        Pad(out, fill, u'0');
        out += body;
    } else {
        Pad(out, fill, u' ');
        out += prefix;
        out += body;
    }
}

void EmitInteger(CUnicodeString& out, const CSpec& spec, WChar conversion, std::uint64_t magnitude, bool negative)
{
    const int base = conversion == u'o' ? 8 : ((conversion == u'x' || conversion == u'X') ? 16 : 10);
    CUnicodeString digits =
        (spec.precision == 0 && magnitude == 0) ? CUnicodeString() : CUnicodeString::FromUInt(magnitude, base);
    if (conversion == u'X')
        for (int i = 0; i < digits.Length(); ++i)
            if (digits[i] >= u'a' && digits[i] <= u'f')
                digits.SetAt(i, static_cast<WChar>(digits[i] - u'a' + u'A'));
    if (spec.precision > digits.Length())
        digits = CUnicodeString::Repeat(u'0', spec.precision - digits.Length()) + digits;
    CUnicodeString prefix;
    if (conversion == u'd' || conversion == u'i') {
        if (negative)
            prefix = u"-";
        else if (spec.plus)
            prefix = u"+";
        else if (spec.space)
            prefix = u" ";
    } else if (spec.alternate && magnitude != 0) {
        if (conversion == u'x')
            prefix = u"0x";
        else if (conversion == u'X')
            prefix = u"0X";
        else if (conversion == u'o' && digits[0] != u'0')
            prefix = u"0";
    }
    Emit(out, spec, prefix, digits, spec.precision < 0);
}

std::int64_t SignedArgument(const CSpec& spec, va_list& args)
{
    switch (spec.length) {
    case CSpec::Char: return static_cast<signed char>(va_arg(args, int));
    case CSpec::Short: return static_cast<short>(va_arg(args, int));
    case CSpec::Long: return va_arg(args, long);
    case CSpec::LongLong: return va_arg(args, long long);
    case CSpec::Size: return va_arg(args, std::ptrdiff_t);
    default: return va_arg(args, int);
    }
}

std::uint64_t UnsignedArgument(const CSpec& spec, va_list& args)
{
    switch (spec.length) {
    case CSpec::Char: return static_cast<unsigned char>(va_arg(args, unsigned));
    case CSpec::Short: return static_cast<unsigned short>(va_arg(args, unsigned));
    case CSpec::Long: return va_arg(args, unsigned long);
    case CSpec::LongLong: return va_arg(args, unsigned long long);
    case CSpec::Size: return va_arg(args, std::size_t);
    default: return va_arg(args, unsigned);
    }
}

void ReadLength(const WChar*& p, CSpec& spec)
{
    if (p[0] == u'h') {
        spec.length = p[1] == u'h' ? CSpec::Char : CSpec::Short;
        p += p[1] == u'h' ? 2 : 1;
    } else if (p[0] == u'l') {
        spec.length = p[1] == u'l' ? CSpec::LongLong : CSpec::Long;
        p += p[1] == u'l' ? 2 : 1;
    } else if (p[0] == u'j') {
        spec.length = CSpec::LongLong, ++p;
    } else if (p[0] == u'z' || p[0] == u't') {
        spec.length = CSpec::Size, ++p;
    } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
        spec.length = CSpec::LongLong, p += 3;
    } else if (p[0] == u'I' && p[1] == u'3' && p[2] == u'2') {
        spec.length = CSpec::Int32, p += 3;
    } else if (p[0] == u'I') {
        spec.length = CSpec::Size, ++p;
    }
}

int ClampField(int value) { return value > kMaxField ? kMaxField : value; }

// Reads flags, width, precision and length after the "%"; a "*" takes its value from the
// arguments, and a negative "*" width means left alignment, as in C.
CSpec ReadSpec(const WChar*& p, va_list& args)
{
    CSpec spec;
    for (;; ++p) {
        if (*p == u'-')
            spec.left = true;
        else if (*p == u'+')
            spec.plus = true;
        else if (*p == u' ')
            spec.space = true;
        else if (*p == u'#')
            spec.alternate = true;
        else if (*p == u'0')
            spec.zero = true;
        else
            break;
    }
    if (*p == u'*') {
        const int width = va_arg(args, int);
        spec.left = spec.left || width < 0;
        spec.width = width < 0 ? (width < -kMaxField ? kMaxField : -width) : ClampField(width);
        ++p;
    } else {
        spec.width = ReadNumber(p);
    }
    if (*p == u'.') {
        ++p;
        if (*p == u'*') {
            const int precision = va_arg(args, int);
            spec.precision = precision < 0 ? -1 : ClampField(precision);
            ++p;
        } else {
            spec.precision = ReadNumber(p);
        }
    }
    ReadLength(p, spec);
    return spec;
}

void EmitText(CUnicodeString& out, const CSpec& spec, va_list& args)
{
    CUnicodeString text;
    if (spec.length == CSpec::Short || spec.length == CSpec::Char) {
        const char* narrow = va_arg(args, const char*);
        text = narrow ? DecodeUtf8(narrow, std::strlen(narrow)) : CUnicodeString(u"(null)");
    } else {
        const WChar* wide = va_arg(args, const WChar*);
        text = wide ? CUnicodeString(wide) : CUnicodeString(u"(null)");
    }
    if (spec.precision >= 0)
        text = text.Left(spec.precision);
    Emit(out, spec, CUnicodeString(), text, false);
}

// Writes one conversion; false when `conversion` is not one this formatter knows.
bool EmitConversion(CUnicodeString& out, const CSpec& spec, WChar conversion, va_list& args)
{
    switch (conversion) {
    case u'%': out += u'%'; return true;
    case u'd':
    case u'i': {
        const std::int64_t value = SignedArgument(spec, args);
        const std::uint64_t magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        EmitInteger(out, spec, conversion, magnitude, value < 0);
        return true;
    }
    case u'u':
    case u'o':
    case u'x':
    case u'X': EmitInteger(out, spec, conversion, UnsignedArgument(spec, args), false); return true;
    case u'p': {
        const auto value = reinterpret_cast<std::uintptr_t>(va_arg(args, void*));
        CSpec pointer;
        pointer.precision = static_cast<int>(2 * sizeof(void*));
        CUnicodeString digits;
        EmitInteger(digits, pointer, u'X', value, false);
        Emit(out, spec, CUnicodeString(), digits, false);
        return true;
    }
    case u'c': {
        const WChar ch = static_cast<WChar>(va_arg(args, int));
        Emit(out, spec, CUnicodeString(), CUnicodeString(&ch, 1), false);
        return true;
    }
    case u's': EmitText(out, spec, args); return true;
    default: return false;
    }
}

void FormatInto(CUnicodeString& out, const WChar* p, va_list& args)
{
    while (*p != 0) {
        if (*p != u'%') {
            const WChar* run = p;
            while (*p != 0 && *p != u'%')
                ++p;
            out.Append(run, static_cast<int>(p - run));
            continue;
        }
        const WChar* start = p++;
        const CSpec spec = ReadSpec(p, args);
        const WChar conversion = *p;
        if (conversion != 0)
            ++p;
        // Unknown conversions are shown as written, so the mistake stays visible.
        if (!EmitConversion(out, spec, conversion, args))
            out.Append(start, static_cast<int>(p - start));
    }
}

} // namespace

CUnicodeString CUnicodeString::Format(const WChar* format, ...)
{
    CUnicodeString out;
    if (format == nullptr)
        return out;
    va_list args;
    va_start(args, format);
    FormatInto(out, format, args);
    va_end(args);
    return out;
}

} // namespace TObj
