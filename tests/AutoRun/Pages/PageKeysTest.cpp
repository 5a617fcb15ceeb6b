#include "PageKeys.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using PageKeys::EValueType;

namespace {
EValueType TypeNamed(const std::string& name)
{
    for (int type = 0; type <= static_cast<int>(EValueType::FontSize); ++type)
        if (name == PageKeys::TypeName(static_cast<EValueType>(type)))
            return static_cast<EValueType>(type);
    ADD_FAILURE() << "no type " << name;
    return EValueType::Text;
}
} // namespace

TEST(PageKeys, CommandKeysNearestKeysAndValueTypesAsTheTableSays)
{
    for (const auto& row : ReadTable("tests/data/page-keys.tsv")) {
        const std::string& key = row.at(1);
        if (row[0] == "command") {
            int number = 0;
            TObj::CUnicodeString rest;
            const bool splits = PageKeys::SplitCommandKey(U(key.c_str()), number, rest);
            EXPECT_EQ(row.at(2) == "-" ? "-" : row[2] + " " + row.at(3),
                      splits ? std::to_string(number) + " " + rest.ToUtf8() : "-")
                << key;
        } else if (row[0] == "nearest") {
            EXPECT_EQ(row.at(2) == "-" ? "" : row[2], PageKeys::NearestWindowKey(U(key.c_str())).ToUtf8()) << key;
        } else {
            EXPECT_EQ(row.at(3) == "yes", PageKeys::Parses(TypeNamed(key), U(row[2].c_str()), 96))
                << key << " " << row[2];
        }
    }
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
                expected +=
                    "| `" + TObj::CUnicodeString(key.name).ToUtf8() + "` | " +
                    (key.type == EValueType::TextWithBreaks ? "text with line breaks" : PageKeys::TypeName(key.type)) +
                    " | " + key.defaultText + " | " + key.meaning + " |\n";
        }
        std::string found;
        auto line = std::find(docs.begin(), docs.end(), list.heading);
        while (line != docs.end() && line->compare(0, 3, "|--") != 0)
            ++line;
        for (line = line == docs.end() ? line : line + 1; line != docs.end() && !line->empty() && (*line)[0] == '|';
             ++line)
            found += *line + "\n";
        EXPECT_EQ(expected, found) << list.heading;
    }
}
