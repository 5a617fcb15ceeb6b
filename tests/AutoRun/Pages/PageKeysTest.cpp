#include "PageKeys.h"
#include "TestText.h"

#include <gtest/gtest.h>

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
    EXPECT_NE(nullptr, PageKeys::FindWindowKey(U("commentrect")));
    EXPECT_EQ(nullptr, PageKeys::FindWindowKey(U("Text"))); // a command key, not a window key
    EXPECT_NE(nullptr, PageKeys::FindCommandKey(U("HintFontSize")));
    EXPECT_EQ(nullptr, PageKeys::FindCommandKey(U("CommentRect")));
    EXPECT_NE(nullptr, PageKeys::FindCommonKey(U("Icon"), false));
    EXPECT_NE(nullptr, PageKeys::FindCommonKey(U("Dir"), true));
    EXPECT_EQ(nullptr, PageKeys::FindCommonKey(U("Dir"), false)); // read from the root file only
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
