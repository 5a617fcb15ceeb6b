#include "MessageFormat.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <vector>

using TObj::CUnicodeString;
using TObj::FillPlaceholders;

TEST(MessageFormat, FillsNumberedPlaceholders)
{
    const std::vector<CUnicodeString> none;
    const std::vector<CUnicodeString> one{U("Autorun.inf")};
    const std::vector<CUnicodeString> two{U("a"), U("b")};
    std::vector<CUnicodeString> eleven;
    for (int i = 0; i <= 10; ++i)
        eleven.push_back(U("p") + CUnicodeString::FromInt(i));
    struct Case {
        const char* templateText;
        const std::vector<CUnicodeString>& params;
        const char* expected;
    } cases[] = {
        {"%0 was not found.", one, "Autorun.inf was not found."},
        {"%0 was not found.", none, " was not found."},
        {"100%", two, "100%"},
        {"%a and %", two, "%a and %"},
        {"x%5y", two, "xy"},
        {"%1-%0-%1", two, "b-a-b"},
        {"%%0", two, "%a"},
        {"%10|%1", eleven, "p10|p1"},
        {"%00%01", two, "ab"},
        {"%99999999999999999999 big", two, "%99999999999999999999 big"},
        {"%2147483647 max", two, " max"},
        {"no placeholders", two, "no placeholders"},
        {"", two, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(c.expected), FillPlaceholders(U(c.templateText), c.params)) << c.templateText;
}

TEST(MessageFormat, ParameterTextIsNeverSearchedForPlaceholders)
{
    EXPECT_EQ(U("[%1] [x]"), FillPlaceholders(U("[%0] [%1]"), U("%1"), U("x")));
    EXPECT_EQ(U("a-b-c"), FillPlaceholders(U("%0-%1-%2"), U("a"), U("b"), U("c")));
    EXPECT_EQ(U("only"), FillPlaceholders(U("only")));
}

TEST(MessageFormat, CheckWarnsOnlyAboutPlaceholdersWithoutParameter)
{
    struct Case {
        const char* templateText;
        int count;
        std::vector<int> missing;
    } cases[] = {
        {"%0 and %1", 2, {}},
        {"%1 only", 2, {}},          // an unused parameter is no fault
        {"%0 %2 %2 %5", 2, {2, 5}},
        {"%3", 0, {3}},
        {"100% %x", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateText);
        EXPECT_EQ(c.missing, TObj::PlaceholdersWithoutParameter(U(c.templateText), c.count));
    }
    EXPECT_EQ(U("Some parameters in message \"%0 %2 %5\" are missing: 2 ,5."),
              TObj::PlaceholderCheckWarning(U("%0 %2 %5"), 1));
    EXPECT_TRUE(TObj::PlaceholderCheckWarning(U("%0"), 1).IsEmpty());
}

namespace {
std::vector<CUnicodeString> g_reported;
void Record(const CUnicodeString& warning) { g_reported.push_back(warning); }
} // namespace

TEST(MessageFormat, InstalledCheckReportsThenFormatsAnyway)
{
    g_reported.clear();
    TObj::SetPlaceholderCheckReport(&Record);
    const CUnicodeString result = FillPlaceholders(U("%0/%1"), U("x"));
    TObj::SetPlaceholderCheckReport(nullptr);
    EXPECT_EQ(U("x/"), result);
    ASSERT_EQ(1u, g_reported.size());
    EXPECT_EQ(U("Some parameters in message \"%0/%1\" are missing: 1."), g_reported[0]);
    FillPlaceholders(U("%0/%1"), U("x"));
    EXPECT_EQ(1u, g_reported.size());
}
