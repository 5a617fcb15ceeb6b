// The main window in this process: page history through switches that work and switches
// that fail, where the window stands after start and after each switch, the right-to-left
// layout of language 61, and a page built again for the DPI of another monitor.
#include "DC.h"
#include "ExpectThrows.h"
#include "HighContrast.h"
#include "LauncherRun.h"
#include "MonitorDpi.h"
#include "PageWatch.h"
#include "Pixels.h"
#include "RecordingHandler.h"
#include "ScopeExit.h"
#include "ShownPage.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include <algorithm>

using TObj::CUnicodeString;

namespace {

std::string Page(const char* name, const char* size, const char* extra = "")
{
    return std::string("[") + name + "]\nBackgroundSize=" + size + "\nBackgroundColor=FFFFFF\nTitle=" + name +
           "\nFontSize=12\nCommandsRect=[10, 10, 200, 0]\nCommand1_Text=" + name + " command\nCommand1_Action=$Exit\n" +
           extra;
}

RECT Centred(const RECT& rect, const RECT& on)
{
    const LONG dx = (on.left + on.right) / 2 - (rect.left + rect.right) / 2;
    const LONG dy = (on.top + on.bottom) / 2 - (rect.top + rect.bottom) / 2;
    return RECT{rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

// The window's outer rectangle for a client area of that size, at (0, 0).
RECT Frame(HWND window, int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    return frame;
}

void ExpectRect(const RECT& expected, const RECT& actual, const char* what)
{
    EXPECT_EQ(RectText(expected), RectText(actual)) << what;
}

} // namespace

TEST(MainWindow, AFailedSwitchLeavesPageHistoryAndControlsAsTheyWere)
{
    CRecordingHandler recorder;
    CShownPage page(Page("Main", "[300, 200]") + Page("Setup", "[300, 200]") + "[Broken]\nBackground=broken.bmp\n", "",
                    {{"broken.bmp", "not a picture"}});
    page.window.GoToPage(CUnicodeString(u"Setup"));
    ASSERT_EQ(1, page.window.HistoryDepthForTesting());
    const std::vector<CCommandControl*> controls = page.Controls();
    const struct {
        const char* page;
        const char* message; // the start of what the switch throws; "<disc>" is the disc folder
    } failures[] = {
        {"Nowhere", "<disc>Autorun.inf is corrupted."},
        {"Broken", "Internal program error:\nAutoRunWindow, 172."},
    };
    for (const auto& failure : failures) {
        const std::string message = MessageOf([&] { page.window.GoToPage(U(failure.page)); });
        EXPECT_EQ(0u, message.find(page.Expand(failure.message))) << message;
        EXPECT_EQ(U("Setup"), page.window.CurrentPage()->name) << failure.page;
        EXPECT_EQ(1, page.window.HistoryDepthForTesting()) << failure.page;
        EXPECT_EQ(controls, page.Controls()) << failure.page;
    }
    page.window.GoBack(true); // "$Back" goes where it should: to the first page
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
    EXPECT_EQ(0, page.window.HistoryDepthForTesting());
    ExpectThrows<TObj::CInternalError>([&] { page.window.GoBack(true); },
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(87, e.Line()); });
    EXPECT_NE(nullptr, page.window.Handle()); // "$Back" on the first page keeps the window
    page.window.GoBack(false);                // "$Exit" there closes it
    EXPECT_EQ(nullptr, page.window.Handle());
}

// Back from an installer that has just ended, the page shows what it changed: "Start" in
// the place of "Install". The window's own first activation decides nothing again: the
// start decides each condition once, as the page is read (the file written after that
// shows only with the next activation).
TEST(MainWindow, ConditionsAreDecidedAgainWhenTheLauncherIsActiveAgain)
{
    CShownPage page(SourceText("tests/data/install-or-start-page.ini"),
                    [](CTempFolder& disc) { disc.Write("installed.txt", ""); });
    EXPECT_EQ(page.window.Handle(), GetActiveWindow());
    EXPECT_NE(nullptr, page.Child(L"Install"));
    EXPECT_EQ(nullptr, page.Child(L"Start"));
    page.window.SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(Until([&] { return page.Child(L"Start") != nullptr && page.Child(L"Install") == nullptr; },
                      "\"Start\" in the place of \"Install\""));
}

TEST(MainWindow, StandsCentredOnTheWorkAreaAndStaysCentredWhereItIs)
{
    CShownPage page(Page("Main", "[300, 200]") + Page("Larger", "[500, 400]") + Page("Smaller", "[150, 80]"));
    const HWND window = page.window.Handle();
    const RECT work = ZYR::MonitorWorkArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    ExpectRect(Centred(Frame(window, 300, 200), work), page.WindowRect(), "at the start");

    const struct {
        const char* page;
        int width, height;
        bool fromTopLeft; // the window stands at (0, 0) before the switch
    } switches[] = {{"Larger", 500, 400, false},
                    {"Smaller", 150, 80, false},
                    {"Main", 300, 200, false},
                    {"Larger", 500, 400, true},
                    {"Main", 300, 200, false}};
    for (const auto& next : switches) {
        if (next.fromTopLeft)
            SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT before = page.WindowRect();
        page.window.GoToPage(U(next.page));
        RECT expected = Centred(Frame(window, next.width, next.height), before);
        // Pushed back onto the screen at the left and top edges only.
        OffsetRect(&expected, expected.left < 0 ? -expected.left : 0, expected.top < 0 ? -expected.top : 0);
        ExpectRect(expected, page.WindowRect(), next.page);
    }
}

TEST(MainWindow, APageLargerThanTheScreenStartsWithItsTitleBarOnTheWorkArea)
{
    CShownPage huge(Page("Main", "[6000, 5000]"));
    const RECT work = ZYR::MonitorWorkArea(MonitorFromWindow(huge.window.Handle(), MONITOR_DEFAULTTONEAREST));
    EXPECT_EQ(work.left, huge.WindowRect().left);
    EXPECT_EQ(work.top, huge.WindowRect().top);
}

// The disc's languages in the system menu, each by its own name, the shown one checked;
// choosing one reads its pages, keeps the page by name (else the start page) without
// history, and lays Arabic out right to left.
TEST(MainWindow, TheSystemMenuChoosesTheDiscsLanguage)
{
    CShownPage shown(SourcePath("tests\\data\\three-languages\\"), "-l:0");
    const HWND window = shown.window.Handle();
    const auto menu = [window] {
        const HMENU system = GetSystemMenu(window, FALSE);
        std::string items;
        for (int i = GetMenuItemCount(system) - 3; i < GetMenuItemCount(system); ++i) {
            wchar_t text[64] = {0};
            GetMenuStringW(system, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            items += CUnicodeString(text).ToUtf8() +
                     ((GetMenuState(system, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0 ? "* " : " ");
        }
        return items;
    };
    EXPECT_EQ("English* Deutsch العربية ", menu());
    shown.window.GoToPage(U("Other"));
    const struct {
        int code;
        const char* page;
        const wchar_t* title; // of that language's page file
        bool rightToLeft;
        const char* menu;
    } choices[] = {{2, "Other", L"Andere", false, "English Deutsch* العربية "},
                   {61, "Main", L"Arabic", true, "English Deutsch العربية* "}};
    for (const auto& choice : choices) {
        shown.window.SendMessage(WM_SYSCOMMAND,
                                 CLanguageMenu::kFirstCommand + choice.code * CLanguageMenu::kCommandStep);
        EXPECT_EQ(U(choice.page), shown.window.CurrentPage()->name) << choice.code;
        wchar_t title[32] = {0};
        GetWindowTextW(window, title, 32);
        EXPECT_STREQ(choice.title, title);
        EXPECT_EQ(0, shown.window.HistoryDepthForTesting());
        EXPECT_EQ(choice.rightToLeft, (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) << choice.code;
        EXPECT_EQ(choice.menu, menu());
    }
}

// A theme change shows at once: the page's own colours give way to the high-contrast
// theme's, and come back. (Wine keeps no high-contrast setting of the system, so the
// author's forced mode stands for it; the change is told as Windows tells it.)
TEST(MainWindow, FollowsTheHighContrastThemeWithoutARestart)
{
    CShownPage page(Page("Main", "[300, 200]", "BackgroundColor=00FF00\n"));
    const auto turn = [&page](bool on) {
        HighContrast::Force(on);
        page.window.SendMessage(WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    };
    const auto restore = TObj::OnScopeExit([&turn] { turn(false); });
    ASSERT_TRUE(Until([&] { return page.Pixel(290, 190) == RGB(0, 255, 0); }, "the page's own colour"));
    turn(true);
    EXPECT_TRUE(Until([&] { return page.Pixel(290, 190) == GetSysColor(COLOR_WINDOW); }, "the theme's window colour"));
    turn(false);
    EXPECT_TRUE(Until([&] { return page.Pixel(290, 190) == RGB(0, 255, 0); }, "the page's colour again"));
    // A new display mode (another colour depth, say) draws the whole page again.
    const HWND window = page.window.Handle();
    UpdateWindow(window);
    page.window.SendMessage(WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    RECT invalid{};
    EXPECT_NE(FALSE, GetUpdateRect(window, &invalid, FALSE));
    EXPECT_EQ(300, invalid.right - invalid.left);
    EXPECT_EQ(200, invalid.bottom - invalid.top);
}

TEST(MainWindow, LanguageSixtyOneLaysTheWindowOutRightToLeft)
{
    const struct {
        const char* arguments;
        bool rightToLeft;
    } cases[] = {{"-l:61", true}, {"-l:0", false}, {"-l:60", false}};
    for (const auto& c : cases) {
        CShownPage page(Page("Main", "[300, 200]"), c.arguments);
        EXPECT_EQ(c.rightToLeft, (GetWindowLongW(page.window.Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0)
            << c.arguments;
    }
}

TEST(MainWindow, EachPictureFileIsDecodedOnceHoweverManyCommandsAndStatesNameIt)
{
    const std::string picture = ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"));
    std::string commands;
    for (const char* n : {"1", "2", "3"})
        commands += std::string("Command") + n + "_Text=C\nCommand" + n + "_Rect=[0, " + n + "0, 50, " + n +
                    "9]\nCommand" + n + "_Action=$Exit\nCommand" + n + "_BackgroundImage=b.bmp\n";
    CShownPage page("[Main]\nBackgroundSize=[300, 200]\nBackgroundColor=FFFFFF\nTitle=Pictures\n" + commands +
                        "Command3_BackgroundClickImage=c.bmp\n",
                    "", {{"b.bmp", picture}, {"c.bmp", picture}});
    const CWindowSettings& main = *page.window.CurrentPage();
    ASSERT_EQ(3, main.commands.Count());
    const CCommandPicture* shared = main.commands[0]->pictures[0].get();
    ASSERT_NE(nullptr, shared);
    for (int c = 0; c < 3; ++c)
        for (int state = 0; state < 3; ++state)
            EXPECT_EQ(c == 2 && state == 2, main.commands[c]->pictures[state].get() != shared) << c << state;
    // The click picture of its own waits for the command's first draw as pressed.
    const CCommandPicture& click = *main.commands[2]->pictures[2];
    EXPECT_TRUE(shared->IsDecoded());
    EXPECT_FALSE(click.IsDecoded());
    const HWND third = page.Controls()[2]->Handle();
    SendMessageW(third, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    UpdateWindow(page.window.Handle());
    EXPECT_TRUE(click.IsDecoded());
    SendMessageW(third, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5)); // released outside: nothing runs
}

TEST(MainWindow, AHoverPictureThatCannotBeDecodedIsReportedAtItsFirstDrawOnly)
{
    // It starts as a bitmap does, so the start cannot tell; its decode fails.
    const std::string broken = "BM" + std::string(60, '\x7F');
    CRecordingHandler recorder;
    CShownPage page(
        SourceText("tests/data/hover-picture-page.ini"), "",
        {{"b.bmp", ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"))}, {"h.bmp", broken}});
    ASSERT_TRUE(recorder.messages.empty());
    const HWND command = page.Controls()[0]->Handle();
    const HWND window = page.window.Handle();
    SendMessageW(command, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); // pressed: the click picture is the hover one
    for (int paint = 0; paint < 3; ++paint) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ASSERT_EQ(1u, recorder.messages.size()) << paint;
    }
    EXPECT_NE(std::string::npos, recorder.messages[0].text.ToUtf8().find("Settings, 413."))
        << recorder.messages[0].text.ToUtf8();
    SendMessageW(command, WM_LBUTTONUP, 0, MAKELPARAM(-5, -5));
}

TEST(MainWindow, AnIconFileIsLoadedAfterTheFirstFrameUnlessItsFirstBytesShowItIsNone)
{
    const std::string good = ReadBytes(SourcePath("demo\\Autorun.ico"));
    // A directory of one icon, whose entry points nowhere.
    const std::string broken = std::string("\0\0\1\0\1\0", 6) + std::string(40, '\x7F');
    const struct {
        const char* name;
        std::string bytes;
        const char* size;
        bool stopsTheStart;
        std::size_t messagesLater;
    } cases[] = {
        {"an icon", good, "[300, 200]", false, 0},
        {"an icon on a page of no height, never painted", good, "[300, 0]", false, 0},
        {"no icon at all", "plain text, not an icon", "[300, 200]", true, 0},
        {"an icon that cannot be loaded", broken, "[300, 200]", false, 1},
    };
    for (const auto& c : cases) {
        const std::string pageFile = "[Common]\nIcon=i.ico\n" + Page("Main", c.size);
        CRecordingHandler recorder;
        if (c.stopsTheStart) {
            EXPECT_NE("", MessageOf([&] { CShownPage page(pageFile, "", {{"i.ico", c.bytes}}); })) << c.name;
            continue;
        }
        CShownPage page(pageFile, "", {{"i.ico", c.bytes}});
        const HWND window = page.window.Handle();
        EXPECT_TRUE(Until([&] { return SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0; }, c.name));
        // Each at the size its place shows it at.
        for (const auto& [kind, side] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
            ICONINFO icon{};
            BITMAP bitmap{};
            ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0)), &icon))
                << c.name;
            GetObjectW(icon.hbmColor, sizeof bitmap, &bitmap);
            DeleteObject(icon.hbmColor);
            DeleteObject(icon.hbmMask);
            EXPECT_EQ((std::pair<LONG, LONG>{side, side}), (std::pair{bitmap.bmWidth, bitmap.bmHeight}))
                << c.name << ", icon " << kind;
        }
        EXPECT_EQ(c.messagesLater, recorder.messages.size()) << c.name;
    }
}

TEST(MainWindow, TheTitleBarGetsThePageIconsOnceThePageIsShown)
{
    CShownPage page(Page("Main", "[300, 200]"));
    const HWND window = page.window.Handle();
    EXPECT_TRUE(Until([&] { return SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0; }, "the small icon"));
    EXPECT_NE(0, SendMessageW(window, WM_GETICON, ICON_BIG, 0));
}

TEST(MainWindow, APagesPictureIsDecodedOnceHoweverOftenThePageIsShown)
{
    const std::string picture = ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"));
    CShownPage page(SourceText("tests/data/picture-then-plain-page.ini"), "", {{"b.bmp", picture}});
    const ZYR::CBitmap* first = page.window.PagePictureForTesting();
    ASSERT_NE(nullptr, first);
    ExpectThrows<TObj::CInternalError>([&] { page.window.Create(); }, // a window is made once
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(49, e.Line()); });
    page.window.GoToPage(U("Second"));
    EXPECT_EQ(nullptr, page.window.PagePictureForTesting());
    page.window.GoBack(true);
    EXPECT_EQ(first, page.window.PagePictureForTesting());
    // Nor when the window moves to a monitor of another DPI: a picture keeps its pixels.
    const RECT suggested{100, 100, 400, 250};
    page.window.SendMessage(WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(first, page.window.PagePictureForTesting());
}

// The pictures of the last eight pages shown are kept, and only those.
TEST(MainWindow, ThePicturesOfTheLastEightPagesAreKept)
{
    std::string pages = "[Main]\nBackground=b.bmp\n";
    for (char p = '1'; p <= '8'; ++p)
        pages += std::string("[P") + p + "]\nBackground=b.bmp\n";
    CShownPage page(pages, "", {{"b.bmp", ReadBytes(SourcePath("tests\\data\\discs\\check-clean-disc\\back.bmp"))}});
    for (const char* name : {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "Main", "P8"})
        page.window.GoToPage(U(name));
    DeleteFileW(page.disc.Path("b.bmp").W());
    EXPECT_EQ("", MessageOf([&] { page.window.GoToPage(U("P1")); })) << "kept";
    // Eight other pages later, it is read again, and now missing.
    EXPECT_NE("", MessageOf([&] { page.window.GoToPage(U("Main")); }));
}

// Sizes in "rel" follow the DPI of the window's monitor: at the start, and each time the
// window is moved to a monitor of another DPI, with page, history and focus kept.
TEST(MainWindow, FollowsTheDpiOfItsMonitor)
{
    ZYR::CMonitorDpi::Assume(144);
    const auto systemDpi = TObj::OnScopeExit([] { ZYR::CMonitorDpi::Assume(0); });
    EXPECT_EQ(144, CLoadEnvironment::OfThisProcess().dpiY); // the start reads its monitor's DPI
    const std::string command = "Command2_Text=Blue\nCommand2_Rect=[10, 40, 110, 60]rel\nCommand2_Action=$Back\n"
                                "Command2_BackgroundColor=FF0000\n";
    CShownPage page(Page("Main", "[200, 100]rel") + Page("Second", "[200, 100]rel", command.c_str()));
    page.window.GoToPage(U("Second"));
    page.window.CommandControlAt(1)->SetFocus();
    const struct {
        int dpi, width, height;
        RECT command;
    } steps[] = {{96, 200, 100, {10, 40, 110, 60}},
                 {144, 300, 150, {15, 60, 165, 90}},
                 {192, 400, 200, {20, 80, 220, 120}},
                 {96, 200, 100, {10, 40, 110, 60}}};
    for (const auto& step : steps) {
        const RECT suggested{100, 100, 100 + step.width, 100 + step.height};
        if (&step != steps) // the page starts at 96 dpi
            page.window.SendMessage(WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                                    reinterpret_cast<LPARAM>(&suggested));
        const RECT client = page.window.GetClientRect();
        EXPECT_EQ(step.width, client.right) << step.dpi;
        EXPECT_EQ(step.height, client.bottom) << step.dpi;
        RECT placed = page.window.CommandControlAt(1)->GetWindowRect();
        MapWindowPoints(nullptr, page.window.Handle(), reinterpret_cast<POINT*>(&placed), 2);
        ExpectRect(step.command, placed, "the command at its DPI");
        if (&step != steps) // centred where Windows suggests
            ExpectRect(Centred(page.WindowRect(), suggested), page.WindowRect(), "the window on the suggested place");
        EXPECT_EQ(U("Second"), page.window.CurrentPage()->name);
        EXPECT_EQ(1, page.window.HistoryDepthForTesting());
        EXPECT_EQ(page.window.CommandControlAt(1)->Handle(), GetFocus()) << step.dpi;
        EXPECT_TRUE(Until([&] { return page.Pixel(step.command.right - 2, step.command.bottom - 2) == RGB(0, 0, 255); },
                          "the command's colour at its corner at " + std::to_string(step.dpi) + " dpi"));
    }
    page.window.GoBack(true);
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
}

// A page that scales as a whole follows its monitor with its picture: the variant for the
// DPI (the 2x one, in warm colours, above 96 dpi), at the page's design size times the DPI.
TEST(MainWindow, AWholePageScaledWindowFollowsItsMonitor)
{
    const auto picture = [](const char* name) {
        return ReadBytes(SourcePath((std::string("tests\\data\\pages\\whole-page-scaling\\") + name).c_str()));
    };
    CShownPage page(SourceText("tests/data/whole-page-scaled-page.ini"), "",
                    {{"b.png", picture("page.png")}, {"b@2x.png", picture("page@2x.png")}});
    const struct {
        int dpi, width, height;
        RECT command;
        bool warm; // the 2x picture
    } steps[] = {{96, 240, 160, {10, 10, 110, 40}, false},
                 {144, 360, 240, {15, 15, 165, 60}, true},
                 {192, 480, 320, {20, 20, 220, 80}, true},
                 {96, 240, 160, {10, 10, 110, 40}, false}};
    for (const auto& step : steps) {
        const RECT suggested{100, 100, 100 + step.width, 100 + step.height};
        if (&step != steps)
            page.window.SendMessage(WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                                    reinterpret_cast<LPARAM>(&suggested));
        const RECT client = page.window.GetClientRect();
        EXPECT_EQ(step.width, client.right) << step.dpi;
        EXPECT_EQ(step.height, client.bottom) << step.dpi;
        const SIZE drawn = page.window.PagePictureForTesting()->Size();
        EXPECT_EQ(step.width * 10000 + step.height, drawn.cx * 10000 + drawn.cy) << step.dpi;
        RECT placed = page.window.CommandControlAt(0)->GetWindowRect();
        MapWindowPoints(nullptr, page.window.Handle(), reinterpret_cast<POINT*>(&placed), 2);
        ExpectRect(step.command, placed, "the command at its DPI");
        EXPECT_TRUE(Until([&] { return (GetRValue(page.Pixel(step.width - 3, step.height / 2)) > 110) == step.warm; },
                          "the page picture's variant at " + std::to_string(step.dpi) + " dpi"));
    }
    // A watching launcher reads the pages again when a variant comes, goes or changes.
    const std::vector<CUnicodeString>& files = page.settings.ReadFiles();
    for (const char* variant : {"b@1.25x.png", "b@1.5x.png", "b@2x.png"})
        EXPECT_NE(files.end(), std::find(files.begin(), files.end(), page.disc.Path(variant))) << variant;
}

// What an author's file system may do under a watching launcher: each leaves the last good
// page under a bar that says what is wrong, and putting things back takes the bar away.
TEST(MainWindow, AWatchingLauncherSurvivesWhatTheFileSystemDoes)
{
    CRecordingHandler recorder;
    const std::string picture = ReadBytes(SourcePath("tests\\data\\pages\\png-and-jpeg\\page.png"));
    const std::string pages = SourceText("tests/data/watched-page.ini");
    CShownPage page("[Common]\nDir=Pages\n", "", {{"Pages\\Autorun0.ini", pages}, {"Pages\\b.png", picture}});
    CPageWatch& watch = page.window.Watch(std::make_unique<CPageWatch>(page.window));
    // A look at the files is followed by one more once writes have settled, for a save's last
    // write that no change may tell of; that one is followed by none.
    KillTimer(page.window.Handle(), CPageWatch::kSettleTimer);
    for (const bool followed : {true, false}) {
        watch.ReloadFromFiles();
        EXPECT_EQ(followed, KillTimer(page.window.Handle(), CPageWatch::kSettleTimer) != FALSE);
    }
    // Not every file system tells of changes below a folder: the page folder is watched by
    // itself too, after the disc's own, each once.
    const CUnicodeString discFolder = page.settings.Environment().launcherFolder;
    EXPECT_EQ((std::vector<CUnicodeString>{discFolder, discFolder + u"Pages\\"}), watch.WatchedFoldersForTesting());
    const auto path = [&](const char* name) { return page.disc.Path(name); };
    const struct {
        const char* what;
        void (*change)(const CTempFolder& disc);
    } changes[] = {
        {"the page file deleted", [](const CTempFolder& disc) { DeleteFileW(disc.Path("Pages\\Autorun0.ini").W()); }},
        {"its folder renamed",
         [](const CTempFolder& disc) { MoveFileW(disc.Path("Pages").W(), disc.Path("Renamed").W()); }},
        {"the page file replaced by a folder",
         [](const CTempFolder& disc) {
             DeleteFileW(disc.Path("Pages\\Autorun0.ini").W());
             CreateDirectoryW(disc.Path("Pages\\Autorun0.ini").W(), nullptr);
         }},
        {"the picture half written",
         [](const CTempFolder& disc) {
             disc.Write("Pages\\b.png", ReadBytes(disc.Path("Pages\\b.png")).substr(0, 300));
         }},
    };
    TEXTMETRICW bar{};
    {
        const ZYR::CWindowDC dc(nullptr);
        ZYR::CSelectObjectGuard font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
        GetTextMetricsW(dc.Get(), &bar);
    }
    const int barLineHeight = bar.tmHeight;
    for (const auto& change : changes) {
        change.change(page.disc);
        watch.ReloadFromFiles();
        EXPECT_FALSE(watch.ProblemBarForTesting().Text().IsEmpty()) << change.what;
        // The bar's red reaches both edges of the window: no frame of its own.
        EXPECT_EQ(page.window.GetClientRect().right, watch.ProblemBarForTesting().GetClientRect().right) << change.what;
        // It is as tall as its lines of text and 6 pixels above and below them.
        const int textHeight = watch.ProblemBarForTesting().GetClientRect().bottom - 2 * 6;
        EXPECT_TRUE(textHeight > 0 && textHeight % barLineHeight == 0) << change.what << " " << textHeight;
        // The command under it, when it changes state, draws around the bar, not over it.
        const HWND command = page.Child(L"Go");
        EXPECT_TRUE(command != nullptr && (GetWindowLongW(command, GWL_STYLE) & WS_CLIPSIBLINGS) != 0) << change.what;
        EXPECT_EQ(U("Watched"), page.window.CurrentPage()->title) << change.what;
        // Put back as it was.
        MoveFileW(path("Renamed").W(), path("Pages").W());
        RemoveDirectoryW(path("Pages\\Autorun0.ini").W());
        page.disc.Write("Pages\\Autorun0.ini", pages);
        page.disc.Write("Pages\\b.png", picture);
        watch.ReloadFromFiles();
        EXPECT_TRUE(watch.ProblemBarForTesting().Text().IsEmpty()) << change.what;
        EXPECT_NE(nullptr, page.Child(L"Go")) << change.what;
    }
    // Pages moved to another folder have it watched in place of the old one.
    page.disc.Write("Moved\\Autorun0.ini", pages);
    page.disc.Write("Moved\\b.png", picture);
    page.disc.Write("Autorun.inf", "[Common]\nDir=Moved\n");
    watch.ReloadFromFiles();
    EXPECT_EQ((std::vector<CUnicodeString>{discFolder, discFolder + u"Moved\\"}), watch.WatchedFoldersForTesting());
    EXPECT_TRUE(recorder.messages.empty());
}

// The launcher stands in the way of no device: asked whether one may go, it says yes and
// stays, as it does for a medium that is not its own.
TEST(MainWindow, LetsTheSystemRemoveAndAddDevices)
{
    CShownPage page(Page("Main", "[300, 200]"));
    for (const WPARAM event : {WPARAM{DBT_DEVICEQUERYREMOVE}, WPARAM{DBT_DEVICEARRIVAL}, WPARAM{DBT_DEVNODES_CHANGED}})
        EXPECT_EQ(TRUE, page.window.SendMessage(WM_DEVICECHANGE, event, 0)) << event;
    EXPECT_NE(FALSE, IsWindow(page.window.Handle()));
}
