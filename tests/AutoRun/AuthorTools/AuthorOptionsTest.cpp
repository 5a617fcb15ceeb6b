// The author's options as the launcher reads them, the dry run's description, and the one
// settings object a process may hold.
#include "DryRunShell.h"
#include "Errors.h"
#include "ExpectThrows.h"
#include "FileSystem.h"
#include "LauncherCommandLine.h"
#include "LauncherOptions.h"
#include "Settings.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <vector>

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
        const CLauncherOptions options = CLauncherOptions::From(ReadLauncherCommandLine(U(c.line)));
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

TEST(Settings, OnlyOneSettingsObjectAtATime)
{
    CSettings first;
    EXPECT_EQ(&first, CSettings::Current());
    ExpectThrows<TObj::CInternalError>([] { CSettings second; }, [](const TObj::CInternalError& e) { EXPECT_EQ(47, e.Line()); });
    EXPECT_EQ(&first, CSettings::Current());
}
