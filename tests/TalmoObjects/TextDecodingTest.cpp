#include "TestText.h"
#include "TextDecoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using TObj::CUnicodeString;

namespace {
std::vector<CUnicodeString> Decode(const std::string& bytes, bool& ok, int fallback = TObj::kCodePageUtf8)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t mark = 0;
    const int codePage = TObj::DetectEncoding(data, bytes.size(), fallback, mark);
    CUnicodeString text;
    ok = TObj::DecodeText(data + mark, bytes.size() - mark, codePage, text);
    return TObj::SplitLines(text);
}

std::vector<CUnicodeString> Lines(std::initializer_list<const char*> lines)
{
    std::vector<CUnicodeString> result;
    for (const char* line : lines)
        result.push_back(U(line));
    return result;
}
} // namespace

TEST(TextDecoding, MarksSelectTheEncodingAndTextSplitsIntoLines)
{
    for (const auto& row : ReadTable("tests/data/text-decoding.tsv")) {
        const std::string bytes = Unescaped(row.at(1));
        if (row[0] == "mark") {
            std::size_t mark = 99;
            EXPECT_EQ(std::stoi(row.at(2)), TObj::DetectEncoding(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                                 bytes.size(), 1252, mark))
                << row[1];
            EXPECT_EQ(std::stoul(row.at(3)), mark) << row[1];
        } else if (row[0] == "lines") {
            std::vector<CUnicodeString> lines;
            for (std::size_t i = 2; i < row.size(); ++i)
                lines.push_back(U(row[i].c_str()));
            EXPECT_EQ(lines, TObj::SplitLines(U(bytes.c_str()))) << row[1];
        }
    }
    std::size_t mark = 99;
    EXPECT_EQ(1252, TObj::DetectEncoding(nullptr, 0, 1252, mark));
    EXPECT_EQ(0u, mark);
    EXPECT_TRUE(TObj::SplitLines(CUnicodeString()).empty());
}

TEST(TextDecoding, FilesOfEveryEncodingAndLineEndReadToTheSameLines)
{
    const std::vector<CUnicodeString> expected = Lines({"[Main]", "Title=Grüße"});
    for (const auto& row : ReadTable("tests/data/text-decoding.tsv")) {
        if (row[0] != "file")
            continue;
        bool ok = false;
        EXPECT_EQ(expected, Decode(Unescaped(row.at(1)), ok, std::stoi(row.at(2)))) << row.at(3);
        EXPECT_TRUE(ok) << row.at(3);
    }
}

TEST(TextDecoding, BytesThatAreNotValidInTheirEncodingAreReplacedAndFound)
{
    struct Case {
        const char* name;
        std::string bytes;
        const char16_t* text;
        std::vector<std::size_t> offsets; // after the mark
    } cases[] = {
        {"UTF-16 with an odd byte count", std::string("\xFF\xFEx\0y", 5), u"x", {2}},
        {"broken UTF-8 after its mark", "\xEF\xBB\xBFok\xC3(", u"ok\uFFFD(", {2}},
        {"UTF-8 surrogate", "\xEF\xBB\xBF\xED\xA0\x80z", u"\uFFFDz", {0, 1, 2}},
        {"overlong UTF-8", "\xEF\xBB\xBF\xC0\xAF", u"\uFFFD\uFFFD", {0, 1}},
        {"overlong four-byte UTF-8", "\xEF\xBB\xBF\xF0\x8F\xBF\xBF", u"\uFFFD", {0, 1, 2, 3}},
        {"overlong three-byte UTF-8", "\xEF\xBB\xBF\xE0\x9F\xBF\xE0\xA0\x80", u"\uFFFD\u0800", {0, 1, 2}},
        {"UTF-8 beyond U+10FFFF", "\xEF\xBB\xBF\xF4\x90\x80\x80", u"\uFFFD", {0, 1, 2, 3}},
        {"UTF-8 cut short",
         "\xEF\xBB\xBF"
         "a\xE2\x82",
         u"a\uFFFD",
         {1, 2}},
    };
    for (const Case& c : cases) {
        bool ok = true;
        EXPECT_EQ(std::vector<CUnicodeString>{CUnicodeString(c.text)}, Decode(c.bytes, ok)) << c.name;
        EXPECT_FALSE(ok) << c.name;
        const auto* data = reinterpret_cast<const unsigned char*>(c.bytes.data());
        std::size_t mark = 0;
        const int codePage = TObj::DetectEncoding(data, c.bytes.size(), TObj::kCodePageUtf8, mark);
        EXPECT_EQ(c.offsets, TObj::UndecodableOffsets(data + mark, c.bytes.size() - mark, codePage)) << c.name;
    }
    bool ok = false;
    EXPECT_EQ(Lines({"a\0b"}).size(), Decode(std::string("a\0b", 3), ok).size()); // a NUL stays inside its line
    EXPECT_EQ(3, Decode(std::string("a\0b", 3), ok)[0].Length());
    EXPECT_TRUE(Decode("\xFF\xFE", ok).empty()); // a mark followed by nothing
    EXPECT_TRUE(ok);
}

TEST(TextDecoding, ADecodedTextCarriesLittleUnusedRoom)
{
    // A text decodes in place into a string as long as its bytes; one that came out much
    // shorter must not keep that room (a page file lives as long as the launcher).
    const auto repeat = [](const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i)
            text += piece;
        return text;
    };
    struct Case {
        const char* name;
        std::string bytes;
        int units;
    } cases[] = {
        {"ASCII", repeat("a", 1000), 1000},
        {"some two-byte letters", repeat("ab\xC3\xBC", 100), 300},
        {"three-byte letters", repeat("\xE6\x97\xA5", 100), 100},
        {"four-byte letters, two units each", repeat("\xF0\x9F\x98\x80", 100), 200},
    };
    for (const Case& c : cases) {
        CUnicodeString text;
        ASSERT_TRUE(TObj::DecodeText(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size(),
                                     TObj::kCodePageUtf8, text))
            << c.name;
        EXPECT_EQ(c.units, text.Length()) << c.name;
        EXPECT_LE(text.AllocatedBytesForTesting(), 2u * static_cast<unsigned>(c.units) * 4 / 3 + 14) << c.name;
    }
}
