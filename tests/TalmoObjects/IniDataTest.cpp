#include "Errors.h"
#include "ExpectThrows.h"
#include "FoldedNameIndex.h"
#include "IniData.h"
#include "SegmentedArray.h"
#include "TestText.h"
#include "TextDecoding.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <vector>

using TObj::CUnicodeString;

namespace {
TObj::CIniData Parse(const char* text)
{
    TObj::CIniData data;
    data.Parse(U(text), U("D:\\Autorun.inf"));
    return data;
}

std::string ParseError(const char* text)
{
    return MessageOf([text] { Parse(text); });
}
} // namespace

TEST(IniData, LineRules)
{
    const TObj::CIniData data = Parse(SourceText("tests/data/ini-line-rules.ini").c_str());
    for (const auto& row : ReadTable("tests/data/ini-line-rules.tsv"))
        EXPECT_EQ(U(row.at(2).c_str()), data.GetValue(U(row[0].c_str()), U(row[1].c_str()), U("<default>")))
            << row[0] << "/" << row[1];
    EXPECT_TRUE(data.HasKey(U("Main"), U("Empty")));
    EXPECT_FALSE(data.HasKey(U("Main"), U("Missing")));
    EXPECT_FALSE(data.HasSection(U("Header only")));
    EXPECT_EQ((std::vector<CUnicodeString>{U(""), U("Main"), U("Spaced"), U("Two]]Names"), U("[Nested")}),
              data.SectionNames());
    EXPECT_EQ((std::vector<CUnicodeString>{U("Title"), U("Key"), U(""), U("Empty"), U("Semicolon"), U("Quoted")}),
              data.KeyNames(U("main")));
    EXPECT_EQ(16, data.LineOf(U("Main"), U("Title")));
}

TEST(IniData, MalformedLinesNameTheFileAndTheLineAsAnEditorCountsIt)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"[Main]\nA=1\nB=2\nC=3\nno equals sign\n", "D:\\Autorun.inf is corrupted (line 5)."},
        {"[Main", "D:\\Autorun.inf is corrupted (line 1)."},
        {"# hash comment\n", "D:\\Autorun.inf is corrupted (line 1)."},
        {"\n\n\n]Main[\n", "D:\\Autorun.inf is corrupted (line 4)."},
        {"A=1\r\n\r\nx", "D:\\Autorun.inf is corrupted (line 3)."},
        {"[Main]\nA=1", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.message, ParseError(c.text)) << c.text;
}

TEST(IniData, AVeryLongLine)
{
    const std::string value(1 << 20, 'v');
    const TObj::CIniData data = Parse(("[Main]\nLong=" + value + "\nAfter=1").c_str());
    EXPECT_EQ(1 << 20, data.GetValue(U("Main"), U("Long"), CUnicodeString()).Length());
    EXPECT_EQ(U("1"), data.GetValue(U("Main"), U("After"), CUnicodeString()));
}

TEST(IniData, KeysOfAMissingSectionAreAnInternalError)
{
    const TObj::CIniData data = Parse("[Main]\nA=1\n");
    ExpectThrows<TObj::CInternalError>([&] { data.KeyNames(U("Variables")); }, [](const TObj::CInternalError&) {});
}

TEST(IniData, KeysGivenAsRangesAreFoundLikeKeysGivenAsStrings)
{
    const TObj::CIniData data = Parse("[Main]\nCommand1_Text=Install\n Title = Welcome \nEmpty=\n");
    struct Case {
        const char16_t* key; // read as a range of units, not up to its terminator
        int length;
        const char* value; // null: absent
    } cases[] = {
        {u"Command1_Text", 13, "Install"}, {u"COMMAND1_TEXTX", 13, "Install"},
        {u"  Title  ", 9, "Welcome"},      {u"Empty", 5, ""},
        {u"Command1_Tex", 12, nullptr},    {u"Title", 0, nullptr},
    };
    for (const Case& c : cases) {
        const std::string name = CUnicodeString(c.key).ToUtf8();
        CUnicodeString value(u"unchanged");
        EXPECT_EQ(c.value != nullptr, data.TryGetValue(U("main"), c.key, c.length, value)) << name;
        EXPECT_EQ(c.value != nullptr, data.HasKey(U("main"), c.key, c.length)) << name;
        EXPECT_EQ(c.value != nullptr ? U(c.value) : U("unchanged"), value) << name;
    }
    CUnicodeString value;
    EXPECT_FALSE(data.TryGetValue(U("Other"), u"Title", 5, value));
    // A blank range is read to its end and not one unit further (the sanitizers watch).
    const std::vector<char16_t> blanks(3, u' ');
    EXPECT_FALSE(data.HasKey(U("main"), blanks.data(), 3));
}

// Keys that share a prefix up to "_" share a stretch of the index: 100,000 of them, a
// repeat in other case that changes a value in place, a name equal to the prefix alone,
// and names with "_" first, last or twice must each be found. Walking the whole group for
// every new key would take minutes here.
TEST(IniData, AGroupOfKeysFarLargerThanACommandStaysCorrectAndQuick)
{
    std::string text = "[Main]\nItem_=prefix\n";
    for (int n = 1; n <= 100000; ++n)
        text += "Item_" + std::to_string(n) + "=" + std::to_string(n) + "\n";
    text += "ITEM_77=changed\nitem_99999=late\n_lead=1\ntrail_=2\na_b_c=3\n";
    const auto start = std::chrono::steady_clock::now();
    const TObj::CIniData data = Parse(text.c_str());
    // Well under a second even with sanitizers.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
    for (const auto& row : ReadTable("tests/data/ini-key-groups.tsv")) {
        EXPECT_EQ(U(row.at(1).c_str()), data.GetValue(U("Main"), U(row[0].c_str()), U("-"))) << row[0];
        EXPECT_EQ(std::stoi(row.at(2)), data.LineOf(U("Main"), U(row[0].c_str()))) << row[0];
    }
    const std::vector<CUnicodeString> names = data.KeyNames(U("Main"));
    ASSERT_EQ(100004u, names.size());
    EXPECT_EQ(U("Item_77"), names[77]);
}

// Every position keeps its item across the segments; a section of a few keys takes a
// block of a few KB, so that a file of thousands of small sections fits a 32-bit process.
TEST(IniData, TheArrayOfASectionsKeysKeepsEveryItemInSmallBlocks)
{
    TObj::CSegmentedArray<std::uint32_t> items;
    const std::uint32_t count = 40 * 256 + 17;
    for (std::uint32_t n = 0; n < count; ++n)
        items.push_back(n * 7 + 7);
    ASSERT_EQ(count, items.size());
    std::uint32_t wrong = 0;
    for (std::uint32_t n = 0; n < count; ++n)
        wrong += items[n] == n * 7 + 7 ? 0 : 1;
    EXPECT_EQ(0u, wrong);
    EXPECT_LE(TObj::CSegmentedArray<std::uint32_t>::SegmentSize() * 32, 8192u)
        << "bytes a segment of the widest item takes";
}

// Names that differ only in their last units, as sections "Page1" to "Page9" do, hash apart:
// one hash for all would put them in one run of slots, each found only after the others.
TEST(FoldedNameIndex, NamesThatDifferOnlyAtTheEndHashApart)
{
    for (const std::string stem : {"", "Page", "Command1_Hin"}) {
        std::set<std::uint32_t> hashes;
        for (char last = '0'; last <= '9'; ++last)
            hashes.insert(
                TObj::CFoldedNameIndex::Hash(U((stem + last).c_str()).Ptr(), static_cast<int>(stem.size()) + 1));
        EXPECT_EQ(10u, hashes.size()) << stem;
    }
}
