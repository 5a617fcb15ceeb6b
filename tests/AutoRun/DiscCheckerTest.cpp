#include "DiscChecker.h"
#include "DryRunShell.h"
#include "LauncherOptions.h"
#include "TestDisc.h"
#include "TestText.h"
#include "nativefilesystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Lines 1 to 14; a case's own section starts at line 15.
const std::string kCleanPage = "[Main]\nBackgroundSize=[300, 200]\nBackgroundColor=FFFFFF\n"
                               "Command1_Text=Next\nCommand1_Rect=[10, 10, 100, 40]\nCommand1_Action=$Second\n"
                               "Command2_Text=Readme\nCommand2_Rect=[10, 50, 100, 80]\nCommand2_Action=docs\\readme.txt\n"
                               "[Second]\nBackground=back.bmp\n"
                               "Command1_Text=Back\nCommand1_Rect=[5, 5, 60, 30]\nCommand1_Action=$Back\n";
const std::string kPlain = "BackgroundSize=[100, 100]\nBackgroundColor=0\n";

struct CCheckCase {
    const char* what;
    std::vector<std::pair<const char*, std::string>> files;
    // "<disc>" stands for the disc folder; a line ending in "*" need only start with the rest.
    std::vector<std::string> expected;
};

std::vector<std::string> Check(CTestDisc& disc)
{
    std::vector<std::string> lines;
    for (const CCheckProblem& problem : CDiscChecker(disc.environment).Run())
        lines.push_back(problem.Format(disc.Path()).ToUtf8());
    return lines;
}

void ExpectProblems(const CCheckCase& c)
{
    CTestDisc disc;
    disc.Picture("back.bmp", 64, 48).File("text.bmp", "not a picture").File("docs\\readme.txt", "read me");
    for (const auto& file : c.files)
        disc.File(file.first, file.second);
    const std::vector<std::string> found = Check(disc);
    std::string all;
    for (const std::string& line : found)
        all += line + "\n";
    ASSERT_EQ(c.expected.size(), found.size()) << c.what << "\n" << all;
    for (std::size_t i = 0; i < found.size(); ++i) {
        std::string expected = disc.Expand(c.expected[i]);
        if (!expected.empty() && expected.back() == '*')
            EXPECT_EQ(0u, found[i].find(expected.substr(0, expected.size() - 1))) << c.what << "\n" << all;
        else
            EXPECT_EQ(expected, found[i]) << c.what;
    }
}

} // namespace

TEST(DiscChecker, EachProblemIsReportedWithItsFileLineSectionAndKey)
{
    const CCheckCase cases[] = {
        {"a clean disc", {{"Autorun.inf", kCleanPage}}, {}},
        {"unknown keys and a malformed value",
         {{"Autorun.inf", kCleanPage + "[Extra]\n" + kPlain + "Titel=Hello\nCommand1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\n"
                                                        "Command1_Acton=$Main\nFontRatio=abc\n"}},
         {"Autorun.inf:18: [Extra] Titel: is not a known key; it is ignored (did you mean \"Title\"?)",
          "Autorun.inf:21: [Extra] Command1_Acton: is not a known key; it is ignored (did you mean \"Command1_Action\"?)",
          "Autorun.inf:22: [Extra] FontRatio: the value \"abc\" is not a valid decimal number; the default applies"}},
        {"missing and unreadable pictures",
         {{"Autorun.inf", kCleanPage + "[Pics]\nBackground=missing.bmp\nCommand1_Text=A\nCommand1_Rect=[0, 0, 10, 10]\n"
                                       "Command1_BackgroundImage=text.bmp\nCommand1_BackgroundHoverImage=gone.bmp\n"}},
         {"Autorun.inf:16: [Pics] Background: the launcher stops with: Background image \"<disc>missing.bmp\" was not "
          "found for \"Pics\".",
          "Autorun.inf:19: [Pics] Command1_BackgroundImage: the picture \"<disc>text.bmp\" cannot be read as a bitmap",
          "Autorun.inf:20: [Pics] Command1_BackgroundHoverImage: the launcher stops with: Background image "
          "\"<disc>gone.bmp\" was not found for \"Pics:Command1_\"."}},
        {"page switches and targets that lead nowhere",
         {{"Autorun.inf", kCleanPage + "[Links]\n" + kPlain +
                              "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_Action=$second\n"
                              "Command2_Text=B\nCommand2_Rect=[0, 30, 50, 50]\nCommand2_Action=setup\\setup.exe\n"
                              "Command2_Action64=https://example.com/x\n"
                              "Command3_Text=C\nCommand3_Rect=[0, 60, 50, 80]\nCommand3_Action=$FileURL$docs\\gone.txt\n"}},
         {"Autorun.inf:20: [Links] Command1_Action: switches to the page \"second\", which this file does not have "
          "(page names are matched with their case: did you mean \"Second\"?)",
          "Autorun.inf:23: [Links] Command2_Action: opens \"<disc>setup\\setup.exe\", which is not on the disc",
          "Autorun.inf:27: [Links] Command3_Action: opens \"<disc>docs\\gone.txt\", which is not on the disc"}},
        {"commands outside their window and over each other",
         {{"Autorun.inf", kCleanPage + "[Crowd]\n" + kPlain +
                              "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand2_Text=B\nCommand2_Rect=[40, 10, 90, 30]\n"
                              "Command3_Text=C\nCommand3_Rect=[60, 90, 120, 110]\nCommand4_Text=D\n"
                              "Command4_Rect=[0, 0, 50, 20]\n"}},
         {"Autorun.inf:21: [Crowd] Command2_Rect: the command overlaps command 1",
          "Autorun.inf:23: [Crowd] Command3_Rect: the command [60, 90, 120, 110] reaches outside its window of 100 x 100",
          "Autorun.inf:25: [Crowd] Command4_Rect: the command overlaps command 1"}},
        {"an undefined variable and commands the reader never reaches",
         {{"Autorun.inf", kCleanPage + "[Vars]\n" + kPlain +
                              "Title=$(Product) setup\nCommand1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand3_Text=C\n"}},
         {"Autorun.inf:18: [Vars] Title: uses the variable \"Product\", which is not defined; the text stays as written",
          "Autorun.inf:21: [Vars] Command3_Text: is never read: the list of commands ends before, as there is no "
          "Command2_Text or Command2_Rect"}},
        {"colours and borders the reader stops at",
         {{"Autorun.inf", kCleanPage + "[Rules]\n" + kPlain +
                              "Command1_Text=A\nCommand1_Rect=[0, 0, 50, 20]\nCommand1_BackgroundHoverColor=FF\n"
                              "Command1_BorderWidth=2\n"}},
         {"Autorun.inf:20: [Rules] Command1_BackgroundHoverColor: needs Command1_BackgroundColor; the launcher stops "
          "with an internal error",
          "Autorun.inf:21: [Rules] Command1_BorderWidth: needs Command1_BorderColor; the launcher stops with an internal "
          "error"}},
        {"a window without any background", {{"Autorun.inf", "[Main]\nBackgroundColor=0\n"}},
         {"Autorun.inf:2: [Main] BackgroundColor: the launcher stops with: Background size and color weren't set for "
          "window \"Main\"."}},
        {"a missing icon", {{"Autorun.inf", "[Common]\nIcon=app.ico\n" + kCleanPage}},
         {"Autorun.inf:2: [Common] Icon: the launcher stops with: <disc>app.ico was not found."}},
        {"no root file", {}, {"Autorun.inf: the file does not exist; the launcher cannot start"}},
        {"a page folder that does not exist", {{"Autorun.inf", "[Common]\nDir=Pages\n"}},
         {"Autorun.inf:2: [Common] Dir: the folder \"<disc>Pages\" does not exist; \"Autorun.inf\" itself becomes the "
          "page file",
          "Autorun.inf: has no page [Main], where the launcher starts unless told otherwise"}},
        {"every language's page file, and a default that leaves the disc",
         {{"Autorun.inf", "[Common]\nDir=Pages\nDefaultIniFile=..\\..\\Autorun0.ini\n"},
          {"Pages\\Autorun0.ini", kCleanPage},
          {"Pages\\back.bmp", "BM"},
          {"Pages\\docs\\readme.txt", "x"},
          {"Pages\\Autorun2.ini", "[Main]\n" + kPlain + "Titel=Fenster\n"}},
         {"Autorun.inf:3: [Common] DefaultIniFile: leads outside the disc, to*",
          "Autorun.inf:3: [Common] DefaultIniFile: the default page file*",
          "Pages\\Autorun0.ini:11: [Second] Background: the picture \"<disc>Pages\\back.bmp\" cannot be read as a bitmap",
          "Pages\\Autorun2.ini:4: [Main] Titel: is not a known key; it is ignored (did you mean \"Title\"?)"}},
        {"a UTF-16 page file cut in the middle of a character",
         {{"Autorun.inf", "[Common]\nDir=Pages\n"}, {"Pages\\Autorun0.ini", std::string("\xFF\xFE[\0M\0a", 7)}},
         {"Pages\\Autorun0.ini: *"}},
    };
    for (const CCheckCase& c : cases)
        ExpectProblems(c);
}

TEST(DiscChecker, TenThousandCommandsInOneColumnAreCheckedInPassing)
{
    std::string page = "[Main]\nBackgroundSize=[400, 500000]\nBackgroundColor=0\nFontSize=20\nCommandsRect=[0, 0, 300, 0]\n";
    for (int number = 1; number <= 10000; ++number)
        page += "Command" + std::to_string(number) + "_Text=Item " + std::to_string(number) + "\n";
    CTestDisc disc;
    disc.File("Autorun.inf", page);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(Check(disc).empty());
    EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST(LauncherOptions, AuthorOptionsAreReadBesideTheSettingsOwn)
{
    struct Case {
        const char* line;
        bool check, dryRun, render;
        const char* folder;
    } cases[] = {
        {"Autorun.exe --check", true, false, false, ""},
        {"Autorun.exe /CHECK -l:1", true, false, false, ""},
        {"Autorun.exe --render=out", false, false, true, "out"},
        {"Autorun.exe --render:out", false, false, true, "out"},
        {"Autorun.exe \"-render:C:\\My Pictures\"", false, false, true, "C:\\My Pictures"},
        {"Autorun.exe /Render:x --dry-run", false, true, true, "x"},
        {"Autorun.exe -dry-run", false, true, false, ""},
        {"Autorun.exe check --checker /render", false, false, true, ""},
        {"Autorun.exe -startupWindow:check", false, false, false, ""},
    };
    for (const Case& c : cases) {
        const CLauncherOptions options = CLauncherOptions::From(CLauncherOptions::ReadCommandLine(U(c.line)));
        EXPECT_EQ(c.check, options.check) << c.line;
        EXPECT_EQ(c.dryRun, options.dryRun) << c.line;
        EXPECT_EQ(c.render, options.render) << c.line;
        EXPECT_EQ(U(c.folder), options.renderFolder) << c.line;
    }
}

TEST(DryRunShell, ARequestIsDescribedAndAnsweredAsDone)
{
    std::vector<TObj::CUnicodeString> shown;
    CDryRunShell shell([&](HWND, const TObj::CUnicodeString& text) { shown.push_back(text); });
    const TObj::CUnicodeString parameters(u"/S \"C:\\a b\\\"");
    EXPECT_GT(shell.Open(nullptr, U("D:\\setup.exe"), &parameters), 32);
    EXPECT_GT(shell.Open(nullptr, U("D:\\"), nullptr), 32);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(U("Dry run: the launcher would ask the shell to\n  verb: open\n  file: D:\\setup.exe\n"
                "  parameters: /S \"C:\\a b\\\"\n  folder: ") + TObj::GetCurrentFolder(), shown[0]);
    EXPECT_NE(-1, shown[1].Find(TObj::CUnicodeString(u"parameters: (none)")));
}
