// The author's options of the real launcher: the demo checking clean, the dry run's
// description instead of a started program, and rendered pages against the live window.
// The check's report of faulty discs is the golden discs' part, the render of every page
// and state the golden pages'.
#include "FileSystem.h"
#include "IniFile.h"
#include "LauncherProgram.h"
#include "LauncherRun.h"
#include "Pixels.h"
#include "TempFolder.h"
#include "TestText.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>

// Clean, it says only which languages the window's menu offers, each by its own name.
TEST(AuthorTools, TheDemoDiscChecksClean)
{
    CLauncherRun run;
    run.DemoDisc();
    ASSERT_TRUE(run.Start("-check"));
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ("The window's menu offers 3 languages: English (Pages\\Autorun0.ini), Deutsch (Pages\\Autorun2.ini), "
              "\u0627\u0644\u0639\u0631\u0628\u064a\u0629 (Pages\\Autorun61.ini)\r\n",
              run.Output());
}

// An option it refuses ends it at once with code 1 and is named: a new disc goes only into
// an empty folder (a folder that holds anything, or none named, is left as it was), and a
// scale must be one it can show.
TEST(AuthorTools, ARefusedOptionEndsItAndIsNamed)
{
    CLauncherRun run;
    run.File("Mine\\notes.txt", "mine");
    for (const std::string arguments : {"--new=Mine", "--new=", "--dpi=481"}) {
        ASSERT_TRUE(run.Start(arguments.c_str()));
        EXPECT_EQ(1u, run.WaitForExit()) << arguments;
        EXPECT_NE(std::string::npos, run.Output().find(arguments.substr(0, arguments.find('=')))) << run.Output();
    }
    EXPECT_FALSE(TObj::FileExists(run.Path("Mine\\Autorun.inf")));
}

// The demo's German pages are its English ones translated: every comment is its own and
// not the English one, and so is every text without variables.
TEST(AuthorTools, TheDemoDiscsGermanPagesAreTranslated)
{
    TObj::CIniFile english(SourcePath("demo\\Pages\\Autorun0.ini")), german(SourcePath("demo\\Pages\\Autorun2.ini"));
    std::set<std::wstring> comments;
    for (const TObj::CUnicodeString& section : german.SectionNames())
        for (const TObj::CUnicodeString& key : german.KeyNames(section)) {
            const TObj::CUnicodeString text = german.GetValue(section, key, {});
            const bool comment = key.EndsWith(TObj::CUnicodeString(u"Comment"));
            const std::string where = "[" + section.ToUtf8() + "] " + key.ToUtf8();
            if (comment) {
                EXPECT_TRUE(comments.insert(text.W()).second) << where << " repeats a comment";
            }
            if (comment || (key.EndsWith(TObj::CUnicodeString(u"_Text")) && text.Find(u"$(") < 0)) {
                EXPECT_NE(english.GetValue(section, key, {}), text) << where;
            }
        }
}

namespace {

// Starts the launcher on its disc with "--dry-run" and `arguments`, presses `command` on the
// page titled `title` and, once the request is described and `described` has looked at
// the disc, closes it: what it printed.
std::string DryRunOf(CLauncherRun& run, const char* arguments, const wchar_t* title, const wchar_t* command,
                     void (*described)(CLauncherRun&) = nullptr)
{
    EXPECT_TRUE(run.Start((std::string("--dry-run ") + arguments).c_str()));
    const HWND window = run.WaitForWindow(title);
    if (window == nullptr)
        return run.Output();
    run.Press(command);
    TestSupport::WaitUntil([&run] { return run.Output().find("  folder: ") != std::string::npos; },
                           "the dry run's description");
    if (described != nullptr)
        described(run);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
    return run.Output();
}

} // namespace

TEST(AuthorTools, DryRunShowsTheRequestAndStartsNothing)
{
    CLauncherRun run;
    // Saved as UTF-8 with its mark; the description reaches a pipe in UTF-8, every character kept.
    run.File("Autorun.inf", SourceText("tests/data/dry-run-page.ini"))
        .Program("RecordArgs.exe", "tools\\Record Args.exe");
    const std::string output = DryRunOf(run, "", L"Dry", L"Record", [](CLauncherRun& described) {
        // The description is written when the click is handled; a recorder started by it
        // would have written its record by the time the window closes.
        Sleep(500);
        EXPECT_EQ("", ReadBytes(described.Path("tools\\record.txt"))); // the recorder never ran
    });
    std::string folder = run.Path().ToUtf8();
    folder.pop_back();
    EXPECT_EQ("Dry run: the launcher would ask the shell to\r\n  verb: open\r\n  file: " +
                  run.Path("tools\\Record Args.exe").ToUtf8() +
                  "\r\n  parameters: \"a b\" & c\\ \xE2\x9C\x93 \xE6\x97\xA5\xE6\x9C\xAC\r\n  folder: " + folder +
                  "\r\n",
              output);
}

// The demo's Install names an installer for each kind of Windows: a 32-bit launcher on
// 64-bit Windows (under WOW64) asks for the 64-bit one, on 32-bit Windows for the other.
TEST(AuthorTools, TheDemosInstallAsksForTheInstallerOfThisWindows)
{
    CLauncherRun run;
    run.DemoDisc();
    const std::string output = DryRunOf(run, "-l:0", L"Orvex Studio 2.1 Setup", L"Install Orvex Studio");
    const std::string installer =
        run.Path(RunsOn64BitWindows() ? "Setup\\x64\\setup.exe" : "Setup\\setup.exe").ToUtf8();
    EXPECT_NE(std::string::npos, output.find("  file: " + installer + "\r\n")) << output;
}

namespace {

// Whether the bar's white text is on it: a bar of its colour alone tells nothing.
bool ShowsText(HWND window, HWND bar)
{
    RECT area{};
    GetWindowRect(bar, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    const CPixels client = CaptureClient(window);
    for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, client.height); ++y)
        for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, client.width); ++x)
            if (client.At(x, y) == 0xFFFFFF)
                return true;
    return false;
}

struct CShownStep {
    const wchar_t* press; // the command that leads to the page, or null for the first page
    const wchar_t* title;
    const char* render; // the page's picture in the render folder
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
    // As it is, and in a high-contrast theme.
    for (const char* arguments : {"", "--high-contrast"})
        ExpectLiveAsRendered([](CLauncherRun& disc) { disc.DemoDisc(); }, arguments,
                             {{nullptr, L"Orvex Studio 2.1 Setup", "Main.bmp"},
                              {L"Documentation", L"Orvex Studio 2.1 Documentation", "Docs.bmp"}});
}

// Right-to-left pages are mirrored, read right to left and keep their pictures' orientation,
// in their render as on the screen: Arabic, also with mixed text and pictures, and Hebrew.
TEST(AuthorTools, RightToLeftPagesRenderAsTheLiveWindowShowsThem)
{
    ExpectLiveAsRendered([](CLauncherRun& disc) { disc.CopyFrom(SourcePath("tests\\data\\pages\\right-to-left")); },
                         "-l:61", {{nullptr, L"Right to left", "Main.bmp"}});
    ExpectLiveAsRendered(
        [](CLauncherRun& disc) { disc.CopyFrom(SourcePath("tests\\data\\pages\\right-to-left-mixed")); }, "-l:61",
        {{nullptr, L"A \u0645\u0631\u062D\u0628\u0627 B.", "Main.bmp"}});
    ExpectLiveAsRendered([](CLauncherRun& disc) { disc.CopyFrom(SourcePath("tests\\data\\pages\\hebrew")); }, "-l:29",
                         {{nullptr, L"\u05E9\u05DC\u05D5\u05DD A.", "Main.bmp"}});
}

// A watching launcher shows each save of its page file: a new title, a command's new text
// and colour, a new command; a save that stops the launcher shows the problem in a bar over
// the last good page, and the next good save takes the bar away. Pages moved to another
// folder, off the disc, are followed there.
TEST(AuthorTools, AWatchingLauncherShowsEverySaveOfItsPageFile)
{
    const std::string top =
        "[Main]\nBackgroundSize=[300, 200]\nBackgroundColor=FFFFFF\nFontSize=12\nCommentRect=[160, 10, 290, 110]\n";
    const std::string one = "Command1_Rect=[10, 120, 150, 160]\nCommand1_Action=$Exit\n";
    CLauncherRun run; // the pages in a folder of their own, as most discs have them
    run.File("Autorun.inf", "[Common]\nDir=Pages\n");
    run.File("Pages\\Autorun0.ini", top + "Title=First\nCommand1_Text=One\nCommand1_BackgroundColor=0000FF\n" + one);
    ASSERT_TRUE(run.Start("--watch"));
    ASSERT_NE(nullptr, run.WaitForWindow(L"First (watching for changes)")) << run.Output();
    const HWND window = run.window;
    const auto problemBar = [&] {
        return ChildWithText(window, L"Pages\\Autorun0.ini:8: [Main] Command1_BackgroundHoverColor: "
                                     L"needs Command1_BackgroundColor; the launcher stops with an "
                                     L"internal error");
    };
    const struct {
        std::string file;
        const wchar_t* title;
        const wchar_t* control; // a control that must show
        COLORREF colour;        // at a point of the first command
        bool bar;
    } saves[] = {
        {top + "Title=Second\nCommand1_Text=One\nCommand1_BackgroundColor=0000FF\n" + one, L"Second", L"One", 0x0000FF,
         false},
        {top + "Title=Second\nCommand1_Text=Uno\nCommand1_BackgroundColor=00FF00\n" + one, L"Second", L"Uno", 0x00FF00,
         false},
        {top + "Title=Second\nCommand1_Text=Uno\nCommand1_BackgroundColor=00FF00\n" + one +
             "Command2_Text=Two\nCommand2_Rect=[160, 120, 290, 160]\nCommand2_Action=$Exit\n",
         L"Second", L"Two", 0x00FF00, false},
        {top + "Title=Broken\nCommand1_Text=Uno\nCommand1_BackgroundHoverColor=00FF00\n" + one, L"Second", L"Two",
         0x00FF00, true},
        {top + "Title=Fixed\nCommand1_Text=Uno\n" + one, L"Fixed", L"Uno", 0xFFFFFF, false},
        {top + "Title=Moved\nCommand1_Text=Uno\n" + one, L"Moved", L"Uno", 0xFFFFFF, false},
        {top + "Title=Elsewhere\nCommand1_Text=Dos\n" + one, L"Elsewhere", L"Dos", 0xFFFFFF, false},
    };
    CTempFolder elsewhere; // a page folder off the disc, which Dir may name
    for (const auto& save : saves) {
        // The last two saves are in that folder, which the root file names first. Saved as
        // editors do: a new file renamed over the old one.
        const CTempFolder& folder = &save >= saves + 5 ? elsewhere : run.Folder();
        const char* name = &save >= saves + 5 ? "Autorun0.ini" : "Pages\\Autorun0.ini";
        const TObj::CUnicodeString written = folder.Write("Autorun0.new", save.file);
        MoveFileExW(written.W(), folder.Path(name).W(), MOVEFILE_REPLACE_EXISTING);
        if (&save == saves + 5)
            run.File("Autorun.inf", "[Common]\nDir=" + elsewhere.Path().ToUtf8() + "\n");
        const std::wstring title = std::wstring(save.title) + L" (watching for changes)";
        EXPECT_TRUE(TestSupport::WaitUntil(
            [&] {
                wchar_t shown[128] = {0};
                GetWindowTextW(window, shown, 128);
                return title == shown && ChildWithText(window, save.control) != nullptr &&
                       (problemBar() != nullptr) == save.bar && (!save.bar || ShowsText(window, problemBar())) &&
                       ScreenPixel(window, 140, 155) == save.colour;
            },
            "the page of the save titled " + TObj::CUnicodeString(save.title).ToUtf8()));
    }
    // Ctrl+R outlines the command (its rectangle and text area are one here) and the
    // comment's rectangle, and hides them again.
    SetForegroundWindow(window);
    for (const COLORREF white : {0u, 0xFFFFFFu}) {
        PressKey('R', VK_CONTROL);
        EXPECT_TRUE(TestSupport::WaitUntil(
            [&] {
                return ScreenPixel(window, 10, 140) == (white | RGB(0, 200, 255)) &&
                       ScreenPixel(window, 160, 60) == (white | RGB(255, 200, 0));
            },
            "the outlines' edges"));
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
    EXPECT_EQ("", run.Output());
}

// A page file that the language would take, made while the launcher watches, is followed,
// as a fresh start would take it.
TEST(AuthorTools, AWatchingLauncherTakesThePageFileOfItsLanguageWhenItComes)
{
    const std::string page = "BackgroundSize=[300, 200]\nBackgroundColor=FFFFFF\n";
    CLauncherRun run;
    run.File("Autorun.inf", "[Common]\nDir=Pages\n").File("Pages\\Autorun0.ini", "[Main]\nTitle=Fallback\n" + page);
    ASSERT_TRUE(run.Start("--watch -l:3"));
    ASSERT_NE(nullptr, run.WaitForWindow(L"Fallback (watching for changes)")) << run.Output();
    // Once a save is shown, the watch has looked at its files: the next file is new to it.
    run.File("Pages\\Autorun0.ini", "[Main]\nTitle=Fallback saved\n" + page);
    ASSERT_NE(nullptr, run.WaitForWindow(L"Fallback saved (watching for changes)"));
    run.File("Pages\\Autorun3.ini", "[Main]\nTitle=French\n" + page);
    EXPECT_NE(nullptr, run.WaitForWindow(L"French (watching for changes)"));
    PostMessageW(run.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, run.WaitForExit());
}
