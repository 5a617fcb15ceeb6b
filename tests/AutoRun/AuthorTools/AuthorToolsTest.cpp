// The author's options of the real launcher: the demo checking clean, the dry run's
// description instead of a started program, and rendered pages against the live window.
// The check's report of faulty discs is the golden discs' part, the render of every page
// and state the golden pages'.
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

namespace {

struct CShownStep {
    const wchar_t* press; // the command that leads to the page, or null for the first page
    const wchar_t* title;
    const char* render;   // the page's picture in the render folder
};

// Renders the disc's pages, then starts it and compares each page of `steps` on the screen
// with its render. The window may still be painting: its pixels are compared until they
// agree or the deadline passes.
void ExpectLiveAsRendered(void (*makeDisc)(CLauncherRun&), const std::string& arguments,
                          std::initializer_list<CShownStep> steps)
{
    SetCursorPos(0, 0); // a pointer over a command would show its hover state
    CLauncherRun run, live;
    makeDisc(run);
    makeDisc(live);
    ASSERT_TRUE(run.Start(("--render:rendered " + arguments).c_str()));
    ASSERT_EQ(0u, run.WaitForExit()) << run.Output();
    ASSERT_TRUE(live.Start(arguments.c_str()));
    for (const CShownStep& step : steps) {
        if (step.press != nullptr)
            live.Press(step.press);
        const HWND window = live.WaitForWindow(step.title);
        ASSERT_NE(nullptr, window) << live.Output();
        const CPixels rendered = ReadBitmapFile(run.Path("rendered\\") + U(step.render));
        int differing = -1;
        TestSupport::WaitUntil([&] { return (differing = DifferingPixels(rendered, CaptureClient(window))) == 0; },
                               std::string("the live page equal to ") + step.render);
        EXPECT_EQ(0, differing) << step.render;
    }
    PostMessageW(live.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, live.WaitForExit());
}

} // namespace

TEST(AuthorTools, RenderedPagesMatchTheLiveWindowOfTheDemo)
{
    ExpectLiveAsRendered([](CLauncherRun& disc) { disc.DemoDisc(); }, "",
                         {{nullptr, L"Orvex Studio 2.1 Setup", "Main.bmp"},
                          {L"Documentation", L"Orvex Studio 2.1 Documentation", "Docs.bmp"}});
}

// A right-to-left page is mirrored with readable texts, in its render as on the screen.
TEST(AuthorTools, ARightToLeftPageRendersAsTheLiveWindowShowsIt)
{
    ExpectLiveAsRendered(
        [](CLauncherRun& disc) {
            disc.File("Autorun.inf", ReadBytes(SourcePath("tests\\data\\pages\\right-to-left\\Autorun.inf")));
        },
        "-l:61", {{nullptr, L"Right to left", "Main.bmp"}});
}
