#include "Errors.h"
#include "MessageFormat.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using TObj::CUnicodeString;
using TObj::FillPlaceholders;

TEST(MessageFormat, FillsNumberedPlaceholders)
{
    std::map<std::string, std::vector<CUnicodeString>> sets{
        {"none", {}}, {"one", {U("Autorun.inf")}}, {"two", {U("a"), U("b")}}};
    for (int i = 0; i <= 10; ++i)
        sets["eleven"].push_back(U("p") + CUnicodeString::FromInt(i));
    for (const auto& row : ReadTable("tests/data/message-format.tsv"))
        EXPECT_EQ(U(row.at(2).c_str()), FillPlaceholders(U(row[0].c_str()), sets.at(row.at(1)))) << row[0];
    EXPECT_TRUE(FillPlaceholders(CUnicodeString(), sets["two"]).IsEmpty());
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
        {"%0 and %1", 2, {}},       {"%1 only", 2, {}}, // an unused parameter is no fault
        {"%0 %2 %2 %5", 2, {2, 5}}, {"%3", 0, {3}},     {"100% %x", 0, {}},
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

// The host build has no system texts; an error it cannot name still shows its code in hex.
TEST(MessageFormat, AnUnknownSystemErrorNamesItsCodeInHexadecimal)
{
    EXPECT_EQ(U("Unknown error. Error code: 0xdeadbeef"), TObj::SystemErrorText(0xDEADBEEF));
}
