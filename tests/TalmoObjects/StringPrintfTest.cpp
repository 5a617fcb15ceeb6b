#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdint>

using TObj::CUnicodeString;

TEST(StringPrintf, Conversions)
{
    int dummy = 0;
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(&dummy);
    struct Case {
        CUnicodeString actual;
        const char* expected;
    } cases[] = {
        {CUnicodeString::Format(u"Autorun%d.ini", 7), "Autorun7.ini"},
        {CUnicodeString::Format(u"[%5d|%-5d|%05d]", 42, 42, -42), "[   42|42   |-0042]"},
        {CUnicodeString::Format(u"%+d % d %i", 3, 3, -3), "+3  3 -3"},
        {CUnicodeString::Format(u"%x %X %#x %o %#o", 255u, 255u, 255u, 8u, 8u), "ff FF 0xff 10 010"},
        {CUnicodeString::Format(u"%#x %#X %#o", 0u, 0u, 0u), "0 0 0"}, // no prefix for zero, as in C
        {CUnicodeString::Format(u"%u", 4294967295u), "4294967295"},
        {CUnicodeString::Format(u"%lld %I64d", -9000000000LL, 9000000000LL), "-9000000000 9000000000"},
        {CUnicodeString::Format(u"%.3d|%.0d|%8.3d", 7, 0, -5), "007||    -005"},
        {CUnicodeString::Format(u"%s and %hs", u"wide", "narrow é"), "wide and narrow é"},
        {CUnicodeString::Format(u"[%6s|%-6s|%.2s]", u"ab", u"ab", u"abcdef"), "[    ab|ab    |ab]"},
        {CUnicodeString::Format(u"%*d|%-*d|%.*s", 4, 1, 3, 2, 2, u"xyz"), "   1|2  |xy"},
        {CUnicodeString::Format(u"%c%c", u'O', u'K'), "OK"},
        {CUnicodeString::Format(u"100%% %s", static_cast<const char16_t*>(nullptr)), "100% (null)"},
        {CUnicodeString::Format(u"%q stays, %"), "%q stays, %"},
        {CUnicodeString::Format(u"%hhd %hd", 300, 70000), "44 4464"},
        {CUnicodeString::Format(u"%zu", static_cast<std::size_t>(123)), "123"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), c.actual);

    const CUnicodeString pointer = CUnicodeString::Format(u"%p", static_cast<void*>(&dummy));
    EXPECT_EQ(static_cast<int>(2 * sizeof(void*)), pointer.Length());
    std::string expected;
    for (int shift = static_cast<int>(8 * sizeof(void*)) - 4; shift >= 0; shift -= 4)
        expected += "0123456789ABCDEF"[(address >> shift) & 0xF];
    EXPECT_EQ(expected, pointer.ToUtf8());
}
