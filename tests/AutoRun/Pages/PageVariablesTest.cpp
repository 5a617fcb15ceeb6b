#include "PageVariables.h"
#include "TestText.h"

#include <gtest/gtest.h>

TEST(PageVariables, SubstitutionInOnePass)
{
    CPageVariables variables;
    variables.Define(U("Product"), U("Orvex Suite"));
    variables.Define(U("Ver"), U("2.1"));
    variables.Define(U("Loop"), U("$(Loop)"));
    for (const auto& row : ReadTable("tests/data/page-variables.tsv"))
        EXPECT_EQ(U(row.at(1).c_str()), variables.Expand(U(row[0].c_str()))) << row[0];
    EXPECT_TRUE(variables.Expand(TObj::CUnicodeString()).IsEmpty());
}

TEST(PageVariables, DefinitionsUseWhatIsDeclaredWhenTheyAreRead)
{
    CPageVariables variables;
    variables.Define(U("Root"), U("Setup"));
    variables.Define(U("Tools"), U("$(Root)\\Tools"));
    variables.Define(U("Later"), U("$(After)"));
    variables.Define(U("After"), U("x"));
    variables.Define(U("Self"), U("$(Self)+1"));
    EXPECT_EQ(U("Setup\\Tools"), *variables.Find(U("Tools")));
    EXPECT_EQ(U("$(After)"), *variables.Find(U("Later")));
    EXPECT_EQ(U("$(Self)+1"), *variables.Find(U("Self")));

    // A page file's definition replaces the root file's for all later values.
    variables.Define(U("Root"), U("Disc"));
    variables.Define(U("Self"), U("$(Self)+2"));
    EXPECT_EQ(U("Disc"), variables.Expand(U("$(Root)")));
    EXPECT_EQ(U("$(Self)+1+2"), *variables.Find(U("Self")));
    EXPECT_EQ(nullptr, variables.Find(U("root")));
    EXPECT_EQ(5, variables.Count());
}

TEST(PageVariables, DefinitionsThatDoubleEachOtherStopGrowingAtTheBound)
{
    // Thirty doublings of sixteen characters would ask for sixteen gigacharacters.
    CPageVariables variables;
    variables.Define(U("V0"), U("0123456789abcdef"));
    for (int n = 1; n <= 30; ++n)
        variables.Define(TObj::CUnicodeString::Format(u"V%d", n),
                         TObj::CUnicodeString::Format(u"$(V%d)$(V%d)", n - 1, n - 1));
    const TObj::CUnicodeString* longest = variables.Find(U("V30"));
    ASSERT_NE(nullptr, longest);
    EXPECT_LE(longest->Length(), CPageVariables::kMaxExpandedLength);
    EXPECT_EQ(65536, variables.Find(U("V12"))->Length());    // 16 x 2^12 is still whole
    EXPECT_EQ(U("$(V12)$(V12)"), *variables.Find(U("V13"))); // beside each other, neither fits

    bool capped = false;
    EXPECT_EQ(*variables.Find(U("V11")) + u" and $(V11)", variables.Expand(U("$(V11) and $(V11)"), &capped));
    EXPECT_TRUE(capped);
    EXPECT_EQ(U("ab 0123456789abcdef"), variables.Expand(U("ab $(V0)"), &capped));
    EXPECT_FALSE(capped);
}
