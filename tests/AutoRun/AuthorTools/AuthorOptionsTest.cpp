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

#include <string>
#include <vector>

TEST(LauncherOptions, AuthorOptionsAreReadBesideTheSettingsOwn)
{
    for (const auto& row : ReadTable("tests/data/author-options.tsv")) {
        const CLauncherOptions options = CLauncherOptions::From(ReadLauncherCommandLine(U(row.at(0).c_str())));
        const std::string read = std::string(options.check ? "yes" : "no") + (options.dryRun ? " yes" : " no") +
                                 (options.render ? " yes" : " no") + (options.watch ? " yes " : " no ") +
                                 options.renderFolder.ToUtf8() + "|" + (options.makeNew ? "new " : "") +
                                 options.newFolder.ToUtf8() + "|" +
                                 (options.renderFormat == CLauncherOptions::EPictureFormat::Png      ? "png"
                                  : options.renderFormat == CLauncherOptions::EPictureFormat::Bitmap ? "bmp"
                                                                                                     : "unknown") +
                                 (options.renderAllLanguages ? " all" : "") +
                                 (options.renderAllDpis ? " dpi all"
                                  : options.dpi != 0    ? " dpi " + std::to_string(options.dpi)
                                                        : "") +
                                 "|" + options.Problem().ToUtf8();
        EXPECT_EQ(row.at(1) + " " + row.at(2) + " " + row.at(3) + " " + row.at(4) + " " + row.at(5) + "|" + row.at(6) +
                      "|" + row.at(7) + "|" + (row.size() > 8 ? row[8] : ""),
                  read)
            << row[0];
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
                "  parameters: /S \"C:\\a b\\\"\n  folder: ") +
                  TObj::GetCurrentFolder(),
              shown[0]);
    EXPECT_NE(-1, shown[1].Find(TObj::CUnicodeString(u"parameters: (none)")));
}

TEST(Settings, OnlyOneSettingsObjectAtATime)
{
    CSettings first;
    EXPECT_EQ(&first, CSettings::Current());
    ExpectThrows<TObj::CInternalError>([] { CSettings second; },
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(47, e.Line()); });
    EXPECT_EQ(&first, CSettings::Current());
}
