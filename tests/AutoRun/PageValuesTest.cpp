#include "PageValues.h"
#include "TestText.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {
constexpr int kSentinel = -777;
}

TEST(PageValues, Integers)
{
    struct Case {
        const char* text;
        int dpi;
        bool ok;
        int value;
    } cases[] = {
        {"5", 96, true, 5},          {" -12 ", 96, true, -12},     {"12rel", 144, true, 18},
        {"12rel", 96, true, 12},     {"-3rel", 144, true, -5},     {"7rel", 120, true, 9},
        {"1rel", 120, true, 1},      {"2147483647", 96, true, 2147483647},
        {"12 rel", 144, false, 0},   {"rel", 96, false, 0},        {"12REL", 96, false, 0},
        {"12rel rel", 96, false, 0}, {"2147483648", 96, false, 0}, {"2147483647rel", 192, false, 0},
        {"1.5", 96, false, 0},       {"", 96, false, 0},           {"0x10", 96, false, 0},
        {"99999999999999999999rel", 96, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.dpi));
        std::int32_t value = kSentinel;
        EXPECT_EQ(c.ok, PageValues::ParseInteger(U(c.text), c.dpi, value));
        EXPECT_EQ(c.ok ? c.value : kSentinel, value);
    }
}

TEST(PageValues, ColoursAreColorrefHex)
{
    struct Case {
        const char* text;
        bool ok;
        std::uint32_t value;
    } cases[] = {
        {"0000FF", true, 0x0000FF}, {"0xFF0000", true, 0xFF0000}, {" 80ff80 ", true, 0x80FF80},
        {"FFFFFFFF", true, kNoColor}, {"1FFFFFFFF", false, 0},     {"red", false, 0},
        {"#FF0000", false, 0},      {"", false, 0},               {"0x", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint32_t value = 123;
        EXPECT_EQ(c.ok, PageValues::ParseColor(U(c.text), value));
        EXPECT_EQ(c.ok ? c.value : 123u, value);
    }
}

TEST(PageValues, Rectangles)
{
    struct Case {
        const char* text;
        int dpi;
        bool ok;
        CPageRect value;
    } cases[] = {
        {"[40, 120, 400, 150]", 96, true, {40, 120, 400, 150}},
        {"[40,120,400,150]", 96, true, {40, 120, 400, 150}},
        {"  [ 40,\t120,  400,150 ]  ", 96, true, {40, 120, 400, 150}},
        {"[+1, -2, 3, 4]", 96, true, {1, -2, 3, 4}},
        {"[1, 2, 3, 4", 96, true, {1, 2, 3, 4}},          // the closing bracket may be missing
        {"[1, 2, 3, 4] and more", 96, true, {1, 2, 3, 4}},  // as formatted input reads it
        {"[1, 2, 3, 4]rel", 192, true, {2, 4, 6, 8}},
        {"[10, 10, 20, 20] rel", 144, true, {15, 15, 30, 30}},
        {"[40 , 120, 400, 150]", 96, false, {}},
        {"[1, 2, 3]", 96, false, {}},
        {"1, 2, 3, 4", 96, false, {}},
        {"[1, 2, x, 4]", 96, false, {}},
        {"[1, 2, 3, 99999999999]", 96, false, {}},
        {"[-2147483648, 0, 2147483647, 1]", 96, false, {}}, // its width does not fit
        {"[0, 0, 2000000000, 1]rel", 192, false, {}},
        {"", 96, false, {}},
        {"[]", 96, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CPageRect value{-1, -1, -1, -1};
        EXPECT_EQ(c.ok, PageValues::ParseRect(U(c.text), c.dpi, value));
        EXPECT_TRUE(value == (c.ok ? c.value : CPageRect{-1, -1, -1, -1}));
    }
}

TEST(PageValues, Sizes)
{
    struct Case {
        const char* text;
        int dpi;
        bool ok;
        CPageSize value;
    } cases[] = {
        {"[640, 480]", 96, true, {640, 480}}, {"[640,480]rel", 144, true, {960, 720}},
        {"[0, 0]", 96, true, {0, 0}},         {"[640]", 96, false, {}},
        {"640, 480", 96, false, {}},          {"[640, 480, 1]", 96, true, {640, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CPageSize value{-1, -1};
        EXPECT_EQ(c.ok, PageValues::ParseSize(U(c.text), c.dpi, value));
        EXPECT_TRUE(value == (c.ok ? c.value : CPageSize{-1, -1}));
    }
}

TEST(PageValues, FontSizes)
{
    struct Case {
        const char* text;
        int dpi;
        bool ok;
        int value;
    } cases[] = {
        {"12", 96, true, 12},       {"12rel", 144, true, 18},   {"12pt", 96, true, -16},
        {"10.5pt", 96, true, -14},  {"10,5pt", 96, true, -14},  {"11pt", 96, true, -15},
        {"12pt", 120, true, -20},   {"12,7", 96, true, 12},     {"-12,7", 96, true, -12},
        {"0.05pt", 96, true, 0},    {"-12pt", 96, true, -12},   {"0.1pt", 96, true, 0},
        {"1pt", 96, true, -1},      {" 9 ", 96, true, 9},       {"12 pt", 96, false, 0},
        {"pt", 96, false, 0},       {"12PT", 96, false, 0},     {"1e9", 96, false, 0},
        {"abc", 96, false, 0},      {"12ptrel", 96, false, 0},  {"", 96, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.dpi));
        std::int32_t value = kSentinel;
        EXPECT_EQ(c.ok, PageValues::ParseFontSize(U(c.text), c.dpi, value));
        EXPECT_EQ(c.ok ? c.value : kSentinel, value);
    }
}

TEST(PageValues, DecimalsBooleansAndLineBreaks)
{
    double a = 0, b = 0, c = 42;
    EXPECT_TRUE(PageValues::ParseDecimal(U("1,5"), a));
    EXPECT_TRUE(PageValues::ParseDecimal(U("1.5"), b));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(PageValues::ParseDecimal(U("one"), c));
    EXPECT_FALSE(PageValues::ParseDecimal(U("1e400"), c));
    EXPECT_EQ(42, c);

    bool flag = false;
    EXPECT_TRUE(PageValues::ParseBool(U(" Yes "), flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(PageValues::ParseBool(U("enabled"), flag));

    EXPECT_EQ(U("line 1\nline 2\n"), PageValues::ExpandLineBreaks(U("line 1\\nline 2\\n")));
    // Every backslash-n breaks, also one that an author meant as part of a path.
    EXPECT_EQ(U("C:\new\\\n"), PageValues::ExpandLineBreaks(U("C:\\new\\\\n")));
    EXPECT_EQ(U("no\\break"), PageValues::ExpandLineBreaks(U("no\\break")));
}

TEST(PageValues, DpiScalingRoundsHalvesAwayFromZero)
{
    struct Case {
        std::int64_t value;
        int dpi;
        std::int64_t expected;
    } cases[] = {
        {12, 96, 12}, {12, 144, 18}, {1, 144, 2}, {-1, 144, -2}, {3, 120, 4}, {10, 0, 10}, {5, -7, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, PageValues::ScaleByDpi(c.value, c.dpi)) << c.value << " @" << c.dpi;
}
