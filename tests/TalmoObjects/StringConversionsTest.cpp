#include "TestText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

using TObj::CUnicodeString;

// Every reading of data/text-conversions.tsv; a refused text leaves the target unchanged.
TEST(StringConversions, TextsReadAsTheTableSays)
{
    for (const auto& row : ReadTable("tests/data/text-conversions.tsv", 3, 60)) {
        const CUnicodeString text = U(row[1].c_str());
        std::int32_t number = 12345;
        std::int64_t wide = 12345;
        std::uint32_t hex = 12345;
        bool flag = false;
        double decimal = 12345;
        char read[64] = "refused";
        if (row[0] == "int" && text.ToInt(number))
            std::snprintf(read, sizeof read, "%d", number);
        else if (row[0] == "int64" && text.ToInt64(wide))
            std::snprintf(read, sizeof read, "%lld", static_cast<long long>(wide));
        else if (row[0] == "hex" && text.ToHex(hex))
            std::snprintf(read, sizeof read, "%X", hex);
        else if (row[0] == "bool" && text.ToBool(flag))
            std::snprintf(read, sizeof read, "%s", flag ? "true" : "false");
        else if (row[0] == "double" && text.ToDouble(decimal))
            std::snprintf(read, sizeof read, "%.17g", decimal);
        EXPECT_EQ(row[2], read) << row[0] << " \"" << row[1] << "\"";
        if (std::string(read) == "refused") {
            EXPECT_TRUE(number == 12345 && wide == 12345 && hex == 12345 && decimal == 12345) << row[1];
        }
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

// Decimals of every shape (short and long, near the smallest and largest doubles, and the
// neighbours of halfway points) read exactly as the standard library reads them.
TEST(StringConversions, DecimalsRoundAsTheStandardLibraryReadsThem)
{
    std::uint64_t seed = 20261207;
    const auto next = [&seed](std::uint64_t bound) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return (seed >> 33) % bound;
    };
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        if (i % 4 == 0) {
            // A double's shortest text with its last digit moved by one: around halfway points.
            double value;
            const std::uint64_t bits = (next(0x7FF) << 52) | (next(1ULL << 26) << 26) | next(1ULL << 26);
            std::memcpy(&value, &bits, sizeof value);
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%.17e", value);
            text = buffer;
            const std::size_t last = text.find('e') - 1;
            text[last] = static_cast<char>('0' + (text[last] - '0' + 1 + next(8)) % 10);
            text.insert(last + 1,
                        std::string(static_cast<std::size_t>(next(3)), '0') + (next(2) ? "5" : "49999999999999999999"));
        } else {
            text = std::to_string(next(1000000000));
            for (std::uint64_t more = next(i % 4 == 1 ? 40 : 3); more > 0; --more)
                text += static_cast<char>('0' + next(10));
            text.insert(static_cast<std::size_t>(next(text.size() + 1)), ".");
            text += "e" + std::to_string(static_cast<long>(next(680)) - 350);
        }
        double expected = 0;
        const auto standard = std::from_chars(text.data(), text.data() + text.size(), expected);
        double read = 0;
        const bool accepted = U(text.c_str()).ToDouble(read);
        ASSERT_EQ(standard.ec == std::errc(), accepted) << text;
        if (accepted) {
            ASSERT_EQ(0, std::memcmp(&expected, &read, sizeof read)) << text;
        }
    }
    // The point moved by more places than a large exponent brings back.
    double tenth = 0;
    EXPECT_TRUE(U(("0." + std::string(2000000, '0') + "1e2000000").c_str()).ToDouble(tenth));
    EXPECT_EQ(0.1, tenth);
}
