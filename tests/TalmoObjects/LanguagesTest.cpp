#include "Languages.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <string>
#include <vector>

TEST(Languages, EveryUsedCodeRoundTripsThroughItsWindowsLanguage)
{
    int used = 0;
    std::set<std::uint16_t> ids;
    std::set<int> rightToLeft;
    for (int code = -1; code <= TObj::kLanguageCount; ++code) {
        if (TObj::IsRightToLeftLanguage(code))
            rightToLeft.insert(code);
        if (code < 0 || code == TObj::kLanguageCount)
            continue;
        if (!TObj::IsLanguageCodeUsed(code)) {
            EXPECT_EQ(0, TObj::LanguageIdOf(code));
            continue;
        }
        ++used;
        ids.insert(TObj::LanguageIdOf(code));
        EXPECT_EQ(code, TObj::GetLanguageByLangId(TObj::LanguageIdOf(code))) << code;
    }
    EXPECT_EQ(44, used);
    EXPECT_EQ(44u, ids.size());
    EXPECT_EQ((std::set<int>{29, 61}), rightToLeft); // Hebrew and Arabic
}

// The page format's table of codes is the library's: ids, locales, code pages, direction.
TEST(Languages, ThePageFormatListsEveryCodeAsTheLibraryHasIt)
{
    std::ifstream docs(SourceFile("docs/page-format.md"));
    int rows = 0;
    for (std::string line; std::getline(docs, line);) {
        std::vector<std::string> cells(1);
        for (const char c : line)
            c == '|' ? (void)cells.emplace_back() : (void)(cells.back() += c);
        if (cells.size() != 8 || cells[1].size() < 2 || !std::isdigit(static_cast<unsigned char>(cells[1][1])))
            continue;
        const int code = std::stoi(cells[1]), codePage = TObj::LanguageEntry(code).codePage;
        ++rows;
        EXPECT_EQ(std::stoi(cells[4]), TObj::LanguageIdOf(code)) << line;
        EXPECT_EQ(" `" + TObj::CUnicodeString(TObj::LanguageEntry(code).locale).ToUtf8() + "` ", cells[3]) << line;
        EXPECT_EQ(codePage != 0 ? " " + std::to_string(codePage) + " " : " \u2014 ", cells[5]) << line;
        EXPECT_EQ(TObj::IsRightToLeftLanguage(code), cells[6] == " yes ") << line;
    }
    EXPECT_EQ(44, rows);
}

TEST(Languages, LookUpByWindowsLanguage)
{
    for (const auto& row : ReadTable("tests/data/language-ids.tsv"))
        EXPECT_EQ(std::stoi(row.at(1)), TObj::GetLanguageByLangId(static_cast<std::uint16_t>(std::stoi(row[0]))))
            << row[0];
}

TEST(Languages, TableEntries)
{
    EXPECT_EQ(TObj::CUnicodeString(u"nl-NL"), TObj::CUnicodeString(TObj::LanguageEntry(7).locale));
    EXPECT_EQ(1256, TObj::LanguageEntry(61).codePage);
    EXPECT_EQ(1025, TObj::LanguageIdOf(61));
    EXPECT_FALSE(TObj::IsLanguageCodeUsed(-1));
    EXPECT_FALSE(TObj::IsLanguageCodeUsed(70));
    EXPECT_FALSE(TObj::IsLanguageCodeUsed(12));
}

TEST(Languages, ChoiceFromASet)
{
    const auto allInstalled = [](int) { return true; };
    const auto noRussian = [](int code) { return code != 1; };
    struct Case {
        std::vector<int> codes;
        std::function<bool(int)> installed;
        std::uint16_t primary;
        std::uint32_t codePage;
        int expected;
    } cases[] = {
        {{}, allInstalled, 0x07, 1252, -1},
        {{0, 1}, allInstalled, 0x07, 1251, 1},               // German system, Cyrillic code page: Russian
        {{0, 1}, allInstalled, 0x19, 1252, 1},               // Russian system
        {{0, 1}, allInstalled, 0x07, 1252, 0},               // nothing matches: the first
        {{1, 2}, allInstalled, 0x07, 1251, 2},               // the system language before the code page
        {{0, 1}, noRussian, 0x19, 1251, 0},                  // Russian not installed
        {{1, 12}, [](int) { return false; }, 0x19, 1251, 1}, // nothing installed: the first of the set
    };
    for (const Case& c : cases) {
        TObj::CLanguageChoiceContext context;
        context.isInstalled = c.installed;
        context.systemPrimaryLanguage = c.primary;
        context.ansiCodePage = c.codePage;
        EXPECT_EQ(c.expected, TObj::ChooseLanguage(c.codes, context));
    }
}
