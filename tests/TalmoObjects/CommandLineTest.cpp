#include "CommandLine.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using TObj::CCommandLine;
using TObj::CUnicodeString;

namespace {
std::vector<CUnicodeString> Args(std::initializer_list<const char*> args)
{
    std::vector<CUnicodeString> result;
    for (const char* arg : args)
        result.push_back(U(arg));
    return result;
}

std::vector<CUnicodeString> ExpandWith(const std::map<std::string, std::string>& files, const char* line)
{
    return CCommandLine::ExpandResponseFiles(
        CCommandLine::Split(U(line)), [](const CUnicodeString& name) { return name; },
        [&files](const CUnicodeString& name) {
            const auto found = files.find(name.ToUtf8());
            if (found == files.end())
                throw std::string("missing " + name.ToUtf8());
            return U(found->second.c_str());
        });
}
} // namespace

TEST(CommandLine, Splitting)
{
    for (const auto& row : ReadTable("tests/data/command-lines.tsv")) {
        std::vector<CUnicodeString> args;
        for (std::size_t i = 1; i < row.size(); ++i)
            args.push_back(U(row[i].c_str()));
        EXPECT_EQ(args, CCommandLine::Split(U(Unescaped(row[0]).c_str()))) << row[0];
    }
    EXPECT_TRUE(CCommandLine::Split(CUnicodeString()).empty());
}

TEST(CommandLine, ResponseFiles)
{
    const std::map<std::string, std::string> files = {
        {"opts.rsp", "/l:2 \"--startupWindow=Setup Page\"\r\n@nested.rsp"},
        {"nested.rsp", "-x:1 @@literal"},
        {"empty.rsp", ""},
        {"self.rsp", "before @self.rsp after"},
        {"a.rsp", "A @b.rsp"},
        {"b.rsp", "B @a.rsp"},
    };
    struct Case {
        const char* line;
        std::vector<CUnicodeString> args;
    } cases[] = {
        {"exe @opts.rsp end", Args({"exe", "/l:2", "--startupWindow=Setup Page", "-x:1", "@literal", "end"})},
        {"exe @empty.rsp", Args({"exe"})},
        {"exe @ @@x", Args({"exe", "@", "@x"})},
        {"exe @self.rsp", Args({"exe", "before", "after"})},
        {"exe @a.rsp", Args({"exe", "A", "B"})},
        {"exe @a.rsp @a.rsp", Args({"exe", "A", "B", "A", "B"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.args, ExpandWith(files, c.line)) << c.line;
    EXPECT_THROW(ExpandWith(files, "exe @missing.rsp"), std::string);
    // A chain of files each naming the next is followed 16 files deep, and no deeper.
    std::map<std::string, std::string> chain;
    for (int i = 0; i < 20; ++i)
        chain["c" + std::to_string(i)] = std::to_string(i) + " @c" + std::to_string(i + 1);
    EXPECT_EQ(U("15"), ExpandWith(chain, "exe @c0").back());
}

TEST(CommandLine, ResponseFilesThatMultiplyStopAtAFixedNumberOfReads)
{
    // Each file names the next one ten times: without a bound, 10^8 reads.
    std::map<std::string, std::string> files;
    for (char name = 'a'; name < 'i'; ++name) {
        std::string text = std::string(1, name);
        for (int i = 0; i < 10; ++i)
            text += std::string(" @") + static_cast<char>(name + 1);
        files[std::string(1, name)] = text;
    }
    files["i"] = "end";
    const std::vector<CUnicodeString> args = ExpandWith(files, "exe @a");
    EXPECT_LT(args.size(), 3000u);
    EXPECT_EQ(U("a"), args.at(1));
}

TEST(CommandLine, Options)
{
    const CCommandLine line(
        Args({"exe", "/l:1", "-X", "--startupWindow=Setup", "--flag", "-", "/", "plain", "-a:b:c", "--k=v=w", "/L:3"}));
    struct Case {
        const char* name;
        const char* value; // null: absent
    } cases[] = {
        {"l", "3"}, {"STARTUPWINDOW", "Setup"}, {"x", ""}, {"flag", ""}, {"a", "b:c"}, {"k", "v=w"}, {"plain", nullptr},
    };
    for (const Case& c : cases) {
        const CUnicodeString* value = line.Option(U(c.name));
        if (c.value == nullptr) {
            EXPECT_EQ(nullptr, value) << c.name;
        } else {
            ASSERT_NE(nullptr, value) << c.name;
            EXPECT_EQ(U(c.value), *value) << c.name;
        }
    }
    EXPECT_EQ(Args({"exe", "-", "/", "plain"}), line.Positional());
}
