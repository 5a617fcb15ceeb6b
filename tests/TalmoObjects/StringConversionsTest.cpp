#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using TObj::CUnicodeString;

TEST(StringConversions, TextToInteger)
{
    struct Case {
        const char* text;
        bool ok;
        std::int32_t value;
    } cases[] = {
        {"42", true, 42},           {" \t42  ", true, 42},      {"-17", true, -17},
        {"+8", true, 8},            {"2147483647", true, 2147483647},
        {"-2147483648", true, std::numeric_limits<std::int32_t>::min()},
        {"2147483648", false, 0},   {"-2147483649", false, 0}, {"99999999999999999999", false, 0},
        {"42a", false, 0},          {"4 2", false, 0},          {"", false, 0},
        {"   ", false, 0},          {"-", false, 0},            {"+-1", false, 0},
        {"0x10", false, 0},         {"١٢", false, 0},           {"\u3000" "7\u2029", true, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t value = 12345;
        EXPECT_EQ(c.ok, U(c.text).ToInt(value));
        EXPECT_EQ(c.ok ? c.value : 12345, value); // a failure leaves the target unchanged
    }
}

TEST(StringConversions, SixtyFourBitIntegersAtTheirLimits)
{
    std::int64_t value = 0;
    EXPECT_TRUE(U("-9223372036854775808").ToInt64(value));
    EXPECT_EQ(std::numeric_limits<std::int64_t>::min(), value);
    EXPECT_TRUE(U("9223372036854775807").ToInt64(value));
    EXPECT_FALSE(U("9223372036854775808").ToInt64(value));
    EXPECT_FALSE(U("-9223372036854775809").ToInt64(value));
}

TEST(StringConversions, TextToHexadecimal)
{
    struct Case {
        const char* text;
        bool ok;
        std::uint32_t value;
    } cases[] = {
        {"FF0000", true, 0xFF0000},     {"0x0000ff", true, 0xFF},      {"0XaBc", true, 0xABC},
        {" 10 ", true, 0x10},           {"FFFFFFFF", true, 0xFFFFFFFF}, {"100000000", false, 0},
        {"0x", false, 0},               {"", false, 0},                {"12G", false, 0},
        {"-1", false, 0},               {"0x 12", false, 0},           {"00000000000000001", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint32_t value = 7;
        EXPECT_EQ(c.ok, U(c.text).ToHex(value));
        EXPECT_EQ(c.ok ? c.value : 7u, value);
    }
}

TEST(StringConversions, TextToBool)
{
    struct Case {
        const char* text;
        bool ok;
        bool value;
    } cases[] = {
        {"true", true, true}, {"YES", true, true},  {" On ", true, true},   {"1", true, true},
        {"False", true, false}, {"off", true, false}, {"no", true, false},  {"0", true, false},
        {"y", false, false},  {"", false, false},   {"truth", false, false}, {"2", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        bool value = false;
        EXPECT_EQ(c.ok, U(c.text).ToBool(value));
        if (c.ok) {
            EXPECT_EQ(c.value, value);
        }
    }
    EXPECT_EQ(U("true"), CUnicodeString::FromBool(true));
    EXPECT_EQ(U("false"), CUnicodeString::FromBool(false));
}

TEST(StringConversions, TextToDoubleAcceptsEitherSeparatorOnce)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"1.5", true, 1.5},  {"1,5", true, 1.5},   {" -0,25 ", true, -0.25}, {"+2", true, 2},
        {".5", true, 0.5},   {"3.", true, 3},      {"1e3", true, 1000},      {"2.5E-1", true, 0.25},
        {"1.2.3", false, 0}, {"1,2,3", false, 0},  {"1.5,", false, 0},       {"", false, 0},
        {".", false, 0},     {"abc", false, 0},    {"1e", false, 0},         {"1e999", false, 0},
        {"inf", false, 0},   {"nan", false, 0},    {"0x1p3", false, 0},      {"1 5", false, 0},
        {"--1", false, 0},   {"1.5x", false, 0},   {"٣", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -99;
        EXPECT_EQ(c.ok, U(c.text).ToDouble(value));
        EXPECT_DOUBLE_EQ(c.ok ? c.value : -99, value);
    }
}

TEST(StringConversions, NumbersToText)
{
    struct Case {
        CUnicodeString actual;
        const char* expected;
    } cases[] = {
        {CUnicodeString::FromInt(0), "0"},
        {CUnicodeString::FromInt(-2147483648LL), "-2147483648"},
        {CUnicodeString::FromInt(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808"},
        {CUnicodeString::FromInt(255, 16), "ff"},
        {CUnicodeString::FromUInt(0xFFFFFFFFu, 16), "ffffffff"},
        {CUnicodeString::FromUInt(18446744073709551615ULL), "18446744073709551615"},
        {CUnicodeString::FromDouble(1.5), "1.5"},
        {CUnicodeString::FromDouble(0.1), "0.10000000000000001"},
        {CUnicodeString::FromDouble(-1e300), "-1.0000000000000001e+300"},
        {CUnicodeString::FromDouble(100), "100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), c.actual);
}

TEST(StringConversions, DoubleTextReadsBackExactly)
{
    const double values[] = {0.1, 1.0 / 3, -123456.789, 6.02214076e23, 5e-324};
    for (const double original : values) {
        double back = 0;
        ASSERT_TRUE(CUnicodeString::FromDouble(original).ToDouble(back)) << original;
        EXPECT_EQ(original, back);
    }
}
