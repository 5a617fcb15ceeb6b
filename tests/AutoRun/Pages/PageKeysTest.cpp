#include "PageKeys.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using PageKeys::EValueType;

TEST(PageKeys, CommandKeysSplitIntoNumberAndKey)
{
    struct Case {
        const char* key;
        bool splits;
        int number;
        const char* rest;
    } cases[] = {
        {"Command1_Text", true, 1, "Text"},
        {"command12_action64", true, 12, "action64"},
        {"Command2147483647_Rect", true, 2147483647, "Rect"},
        {"Command2147483648_Rect", false, 0, ""}, // beyond int32: no command the reader could reach
        {"Command01_Text", false, 0, ""},        // the reader asks for "Command1_", never "Command01_"
        {"Command0_Text", false, 0, ""},
        {"Command_Text", false, 0, ""},
        {"Command3_", false, 0, ""},
        {"Command3Text", false, 0, ""},
        {"Commands3_Text", false, 0, ""},
        {"Command99999999999999999999_Text", false, 0, ""},
    };
    for (const Case& c : cases) {
        int number = 0;
        TObj::CUnicodeString rest;
        EXPECT_EQ(c.splits, PageKeys::SplitCommandKey(U(c.key), number, rest)) << c.key;
        if (c.splits) {
            EXPECT_EQ(c.number, number) << c.key;
            EXPECT_EQ(U(c.rest), rest) << c.key;
        }
    }
}

TEST(PageKeys, AMisspeltKeyIsMatchedToTheNearestKnownOne)
{
    struct Case {
        const char* key;
        const char* nearest; // "" when nothing is close enough
    } cases[] = {
        {"Titel", "Title"},
        {"BackgroundColour", "BackgroundColor"},
        {"backgroundsize", "BackgroundSize"}, // case alone is no typo, but a known key is still nearest
        {"FontSze", "FontSize"},
        {"Command3_Acton", "Command3_Action"},
        {"Command7_BackgroundHoverImg", "Command7_BackgroundHoverImage"},
        {"Command1_Txt", "Command1_Text"},
        {"Command2_Paramaters", ""}, // too far from ActionParameters to guess
        {"Zebra", ""},
        {"X", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.nearest), PageKeys::NearestWindowKey(U(c.key))) << c.key;
}

TEST(PageKeys, KeysAreKnownPerSectionKind)
{
    using PageKeys::EScope;
    EXPECT_NE(nullptr, PageKeys::Find(EScope::Window, U("commentrect")));
    EXPECT_EQ(nullptr, PageKeys::Find(EScope::Window, U("Text"))); // a command key, not a window key
    EXPECT_NE(nullptr, PageKeys::Find(EScope::Command, U("HintFontSize")));
    EXPECT_EQ(nullptr, PageKeys::Find(EScope::Command, U("CommentRect")));
    EXPECT_NE(nullptr, PageKeys::Find(EScope::Common, U("Icon")));
    EXPECT_NE(nullptr, PageKeys::Find(EScope::Common, U("Dir"), true));
    EXPECT_EQ(nullptr, PageKeys::Find(EScope::Common, U("Dir"))); // read from the root file only
}

// The key lists of docs/page-format.md are the table's, row for row.
TEST(PageKeys, TheDocsListEveryKeyOfTheTable)
{
    std::ifstream file(SourceFile("docs/page-format.md"));
    std::vector<std::string> docs;
    for (std::string line; std::getline(file, line);)
        docs.push_back(line);
    const struct {
        PageKeys::EScope scope;
        const char* heading;
    } lists[] = {{PageKeys::EScope::Common, "## Keys of [Common]"},
                 {PageKeys::EScope::Window, "## Keys of a page"},
                 {PageKeys::EScope::Command, "## Keys of a command"}};
    for (const auto& list : lists) {
        std::string expected;
        for (int i = 0; i < PageKeys::kKeyCount; ++i) {
            const PageKeys::CPageKey& key = PageKeys::Table()[i];
            if (key.scope == list.scope)
                expected += "| `" + TObj::CUnicodeString(key.name).ToUtf8() + "` | " +
                            (key.type == EValueType::TextWithBreaks ? "text with line breaks" : PageKeys::TypeName(key.type)) +
                            " | " + key.defaultText + " | " + key.meaning + " |\n";
        }
        std::string found;
        auto line = std::find(docs.begin(), docs.end(), list.heading);
        while (line != docs.end() && line->compare(0, 3, "|--") != 0)
            ++line;
        for (line = line == docs.end() ? line : line + 1; line != docs.end() && !line->empty() && (*line)[0] == '|'; ++line)
            found += *line + "\n";
        EXPECT_EQ(expected, found) << list.heading;
    }
}

TEST(PageKeys, ValuesParseAsTheirKeysType)
{
    struct Case {
        EValueType type;
        const char* value;
        bool parses;
    } cases[] = {
        {EValueType::Integer, " 12rel ", true},      {EValueType::Integer, "12px", false},
        {EValueType::Integer, "4294967296", false},  {EValueType::Colour, "0xFF8800", true},
        {EValueType::Colour, "orange", false},       {EValueType::Boolean, "Yes", true},
        {EValueType::Boolean, "maybe", false},       {EValueType::Decimal, "1,5", true},
        {EValueType::Decimal, "inf", false},         {EValueType::Rectangle, "[1, 2, 3, 4]", true},
        {EValueType::Rectangle, "[1, 2, 3]", false}, {EValueType::Size, "[640]", false},
        {EValueType::Size, "[640, 480]rel", true},   {EValueType::FontSize, "10.5pt", true},
        {EValueType::FontSize, "big", false},        {EValueType::Text, "", true},
        {EValueType::Path, "..\\x.bmp", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.parses, PageKeys::Parses(c.type, U(c.value), 96))
            << PageKeys::TypeName(c.type) << " " << c.value;
}
