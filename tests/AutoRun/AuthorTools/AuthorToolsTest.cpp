// The author's options of the real launcher: the demo checking clean, the dry run's
// description instead of a started program, and rendered pages against the live window.
// The check's report of faulty discs is the golden discs' part.
#include "LauncherRun.h"
#include "Pixels.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(AuthorTools, TheDemoDiscChecksCleanAndSilent)
{
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("-check"));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ("", run.Output());
}

TEST(AuthorTools, DryRunShowsTheRequestAndStartsNothing)
{
    CLauncherRun run;
    // Saved as UTF-8 with its mark; the description reaches a pipe in UTF-8, every character kept.
    run.File("Autorun.inf", "\xEF\xBB\xBF[Main]\nBackgroundSize=[320, 200]\nBackgroundColor=0\nTitle=Dry\nFontSize=12\n"
                            "Command1_Text=Record\nCommand1_Rect=[10, 10, 200, 40]\n"
                            "Command1_Action=tools\\Record Args.exe\n"
                            "Command1_ActionParameters=\"a b\" & c\\ \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC\n")
        .Program("RecordArgs.exe", "tools\\Record Args.exe");
    ASSERT_TRUE(run.Start("--dry-run"));
    const HWND window = run.WaitForWindow(L"Dry");
    ASSERT_NE(nullptr, window) << run.Output();
    run.Press(L"Record");
    // The description is written when the click is handled; a recorder started by it would
    // have written its record by the time the window closes.
    TestSupport::WaitUntil([&run] { return run.Output().find("  folder: ") != std::string::npos; },
                           "the dry run's description");
    Sleep(500);
    EXPECT_EQ("", ReadBytes(run.Path("tools\\record.txt"))); // the recorder never ran
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
    std::string folder = run.Path().ToUtf8();
    folder.pop_back();
    EXPECT_EQ("Dry run: the launcher would ask the shell to\r\n  verb: open\r\n  file: " +
                  run.Path("tools\\Record Args.exe").ToUtf8() + "\r\n  parameters: \"a b\" & c\\ \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC\r\n  folder: " + folder +
                  "\r\n",
              run.Output());
}

TEST(AuthorTools, RenderedPagesMatchTheLiveWindowOfTheDemo)
{
    SetCursorPos(0, 0); // a pointer over a command would show its hover state
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("--render:rendered"));
    ASSERT_EQ(0u, run.WaitForExit()) << run.Output();
    for (const char* name : {"Main.bmp", "Main_Command2_hover.bmp", "Main_Command2_focus.bmp", "Main_Command6_focus.bmp",
                             "Docs.bmp"})
        EXPECT_GT(ReadBitmapFile(run.Path("rendered\\") + U(name)).width, 0) << name;
    EXPECT_NE(ReadBitmapFile(run.Path("rendered\\Main.bmp")).rgb,
              ReadBitmapFile(run.Path("rendered\\Main_Command2_hover.bmp")).rgb);

    CLauncherRun live;
    live.DemoDisc();
    ASSERT_TRUE(live.Start());
    const HWND window = live.WaitForWindow(L"Orvex Studio 2.1 Setup");
    ASSERT_NE(nullptr, window) << live.Output();
    // The window may still be painting: its pixels are compared until they agree or the
    // deadline passes.
    const auto expectSame = [window](const CPixels& rendered, const char* page) {
        int differing = -1;
        TestSupport::WaitUntil([&] { return (differing = DifferingPixels(rendered, CaptureClient(window))) == 0; },
                               std::string("the live ") + page + " page equal to its render");
        EXPECT_EQ(0, differing) << page;
    };
    expectSame(ReadBitmapFile(run.Path("rendered\\Main.bmp")), "Main");
    live.Press(L"Documentation");
    ASSERT_NE(nullptr, live.WaitForWindow(L"Orvex Studio 2.1 Documentation"));
    expectSame(ReadBitmapFile(run.Path("rendered\\Docs.bmp")), "Docs");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, live.WaitForExit());
}

// A right-to-left page is mirrored with readable texts, in its render as on the screen.
TEST(AuthorTools, ARightToLeftPageRendersAsTheLiveWindowShowsIt)
{
    SetCursorPos(0, 0);
    const std::string page = ReadBytes(SourcePath("tests\\data\\pages\\right-to-left\\Autorun.inf"));
    CLauncherRun run;
    run.File("Autorun.inf", page);
    ASSERT_TRUE(run.Start("--render:rendered -l:61"));
    ASSERT_EQ(0u, run.WaitForExit()) << run.Output();
    CLauncherRun live;
    live.File("Autorun.inf", page);
    ASSERT_TRUE(live.Start("-l:61"));
    const HWND window = live.WaitForWindow(L"Right to left");
    ASSERT_NE(nullptr, window) << live.Output();
    const CPixels rendered = ReadBitmapFile(run.Path("rendered\\Main.bmp"));
    int differing = -1;
    TestSupport::WaitUntil([&] { return (differing = DifferingPixels(rendered, CaptureClient(window))) == 0; },
                           "the live right-to-left page equal to its render");
    EXPECT_EQ(0, differing);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, live.WaitForExit());
}
