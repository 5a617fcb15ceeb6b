#include "MessageFormat.h"
#include "PageRules.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using TObj::CUnicodeString;

namespace {
// The texts these messages carry in the program's message table.
const std::map<std::string, const char*> kTexts = {
    {"ERR_AR_BACKGROUND_IMAGE_NOT_FOUND", "Background image \"%0\" was not found for \"%1\"."},
    {"ERR_AR_BACKGROUND_PROPS_NOT_FOUND", "Background size and color weren't set for window \"%0\"."},
    {"ERR_AR_WRONG_BACKGROUND_SETTINGS", "Wrong background settings for \"%0\"."},
};

std::string TextOf(const PageRules::CPageProblem& problem)
{
    if (!problem)
        return "";
    return TObj::FillPlaceholders(U(kTexts.at(problem.messageName)), problem.param0, problem.param1).ToUtf8();
}
} // namespace

TEST(PageRules, WindowBackground)
{
    const CUnicodeString picture(u"D:\\disc\\back.bmp");
    struct Case {
        CUnicodeString picture;
        CPageSize size;
        std::uint32_t color;
        bool exists;
        const char* expected;
    } cases[] = {
        {{}, {640, 480}, 0x202020, false, ""},
        {{}, {0, 0}, 0x202020, false, "Background size and color weren't set for window \"Main\"."},
        {{}, {640, 480}, kNoColor, false, "Background size and color weren't set for window \"Main\"."},
        {{}, {0, 0}, kNoColor, false, "Background size and color weren't set for window \"Main\"."},
        {{}, {0, 480}, 0, false, ""},
        {picture, {0, 0}, kNoColor, true, ""},
        {picture, {640, 480}, kNoColor, true, "Wrong background settings for \"Main\"."},
        {picture, {0, 0}, 0x000000, true, "Wrong background settings for \"Main\"."},
        {picture, {0, 0}, kNoColor, false, "Background image \"D:\\disc\\back.bmp\" was not found for \"Main\"."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TextOf(PageRules::CheckWindowBackground(U("Main"), c.picture, c.size, c.color, c.exists)));
}

TEST(PageRules, CommandBackgroundNamesWindowAndKeyPrefix)
{
    EXPECT_EQ(U("Command12_"), PageRules::CommandKeyPrefix(12));
    EXPECT_EQ("", TextOf(PageRules::CheckCommandBackground(U("Main"), 3, true, false)));
    EXPECT_EQ("", TextOf(PageRules::CheckCommandBackground(U("Main"), 3, false, true)));
    EXPECT_EQ("Wrong background settings for \"Main:Command3_\".",
              TextOf(PageRules::CheckCommandBackground(U("Main"), 3, true, true)));
    EXPECT_EQ("Background image \"C:\\x.bmp\" was not found for \"Setup:Command1_\".",
              TextOf(PageRules::MissingCommandPicture(U("Setup"), 1, U("C:\\x.bmp"))));
}
