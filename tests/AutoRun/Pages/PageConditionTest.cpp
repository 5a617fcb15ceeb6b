// Command conditions as the table in data/conditions.tsv writes them: the text, then its
// value on a machine of known facts, or "malformed", the column and the problem.
#include "PageCondition.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <set>

using TObj::CUnicodeString;

namespace {

// 64-bit Windows 10 (build 19045), with a few files, registry entries and products.
class CTableMachine : public CMachineFacts {
public:
    bool Exists(const CUnicodeString& path) override
    {
        return std::set<std::string>{"Tools\\kestrel.exe", "%ProgramFiles(x86)%\\Kestrel"}.count(path.ToUtf8()) != 0;
    }
    bool HasRegistryEntry(ERegistryRoot root, const CUnicodeString& key, const CUnicodeString* value,
                          bool view32) override
    {
        const char* roots[] = {"HKLM", "HKCU", "HKCR"};
        const std::string asked = std::string(roots[static_cast<int>(root)]) + "\\" + key.ToUtf8() +
                                  (value != nullptr ? "," + value->ToUtf8() : "") + (view32 ? " 32" : " 64");
        return std::set<std::string>{"HKLM\\Software\\Kestrel 64", "HKLM\\Software\\Kestrel,Version 64",
                                     "HKCU\\Software\\Old 32", "HKLM\\Software\\Odd, Name 64"}
                   .count(asked) != 0;
    }
    bool IsInstalled(const CUnicodeString& product) override
    {
        return std::set<std::string>{"{1234-ABCD}", "Kestrel Photo (64-bit)", "Say \"hi\""}.count(product.ToUtf8()) !=
               0;
    }
    CWindowsVersion WindowsVersion() override { return {10, 0, 19045}; }
    bool Is64BitWindows() override { return true; }
};

} // namespace

TEST(PageCondition, EveryConditionDecidesAsTheTableSays)
{
    CTableMachine machine;
    for (const auto& row : ReadTable("tests/data/conditions.tsv", 2, 40)) {
        CPageCondition condition;
        CPageCondition::CProblem problem;
        const std::string decided = CPageCondition::Parse(U(row[0].c_str()), condition, problem)
                                        ? (condition.Evaluate(machine) ? "true" : "false")
                                        : "malformed " + std::to_string(problem.column) + ": " + problem.text.ToUtf8();
        EXPECT_EQ(row[1], decided) << row[0];
    }
}
