#include "Bitmap.h"
#include "ChildProcess.h"
#include "DC.h"
#include "Deadline.h"
#include "LauncherProgram.h"
#include "MessageBox.h"
#include "MessageLoop.h"
#include "ProgramPaths.h"
#include "TempFolder.h"
#include "Pixels.h"
#include "TestText.h"
#include "UserInput.h"
#include "TestWindows.h"
#include "ZyrMessageHandler.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

using TObj::CUnicodeString;

namespace {

using TestSupport::CModalDeadline;

// The visible box of that caption shown by that process; null, and a failure, after the
// deadline.
HWND WaitForBox(const wchar_t* caption, DWORD processId = GetCurrentProcessId())
{
    HWND box = nullptr;
    TestSupport::WaitUntil(
        [&] {
            box = FindWindowW(nullptr, caption);
            DWORD owner = 0;
            if (box != nullptr)
                GetWindowThreadProcessId(box, &owner);
            return box != nullptr && owner == processId && IsWindowVisible(box);
        },
        "the box \"" + CUnicodeString(caption).ToUtf8() + "\" showing");
    return box != nullptr && IsWindowVisible(box) ? box : nullptr;
}

HWND IconControl(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {0};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0)
            return child;
    }
    return nullptr;
}

HICON ShownIcon(HWND box)
{
    const HWND icon = IconControl(box);
    return icon != nullptr ? reinterpret_cast<HICON>(TestSupport::SendWithDeadline(icon, STM_GETICON)) : nullptr;
}

// Whether the box of another process shows `icon`, as this process draws it on the colour
// of the icon's corner: that process's icon handles mean nothing here.
bool ShowsIcon(HWND box, const wchar_t* icon)
{
    const CPixels shown = CaptureClient(IconControl(box));
    if (shown.rgb.empty())
        return false;
    ZYR::CBitmap canvas;
    auto* bits = static_cast<std::uint32_t*>(canvas.CreateDIBSection(shown.width, shown.height));
    std::fill_n(bits, shown.rgb.size(), shown.rgb[0]);
    DrawIconEx(ZYR::CBitmapDC(canvas.Get(), nullptr).Get(), 0, 0, LoadIconW(nullptr, icon), shown.width, shown.height,
               0, nullptr, DI_NORMAL);
    GdiFlush();
    for (std::size_t i = 0; i < shown.rgb.size(); ++i) // the section's rows run from the bottom
        if ((bits[i] & 0xFFFFFF) !=
            shown.At(static_cast<int>(i) % shown.width, shown.height - 1 - static_cast<int>(i) / shown.width))
            return false;
    return true;
}

// The child's rectangle in the box's client coordinates.
RECT RectIn(HWND box, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Shows a box of the library's own flags on this thread while `drive` acts on it from
// another; returns the reply.
int ShowOwnAndDrive(unsigned flags, const CUnicodeString& text, const std::function<void(HWND)>& drive,
                    HWND owner = nullptr)
{
    ZYR::CMessageBox box(owner, text, CUnicodeString(u"Box under test"), flags);
    std::thread driver([&drive] {
        const HWND window = WaitForBox(L"Box under test");
        if (window != nullptr)
            drive(window);
    });
    int reply = 0;
    {
        const CModalDeadline deadline("the box with flags " + std::to_string(flags));
        reply = box.DoModal();
    }
    driver.join();
    return reply;
}

int ShowAndDrive(unsigned win32Flags, const CUnicodeString& text, const std::function<void(HWND)>& drive)
{
    return ShowOwnAndDrive(ZYR::CMessageBox::FlagsFromWin32(win32Flags), text, drive);
}

HWND FocusIn(HWND box)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
    return info.hwndFocus;
}

// Keys go to the box's focused button, through its modal loop.
void PressKeyIn(HWND box, WPARAM key)
{
    const HWND focus = FocusIn(box);
    PostMessageW(focus != nullptr ? focus : box, WM_KEYDOWN, key, 1);
}

// Keys typed go to the window in front, which a program beside the test may take at any time:
// until `done`, `key` is typed again, with `held` down around it and the box in front.
void TypeUntil(
    HWND box, WORD key, WORD held, const char* what = "", const std::function<bool()>& done = [] { return true; })
{
    int polls = 0;
    TestSupport::WaitUntil(
        [&] {
            if (polls++ % 10 == 0 && SetForegroundWindow(box) && GetForegroundWindow() == box)
                PressKey(key, held);
            return done();
        },
        what);
}

void Click(HWND box, int id) { PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0); }

bool StaysOpen(HWND box)
{
    Sleep(150);
    return IsWindow(box) && IsWindowVisible(box);
}

} // namespace

TEST(LibraryMessageBox, RepliesOfEveryButtonSet)
{
    struct Case {
        unsigned flags;
        std::function<void(HWND)> drive;
        int reply;
    } cases[] = {
        {MB_OK, [](HWND b) { PressKeyIn(b, VK_RETURN); }, IDOK},
        {MB_OK, [](HWND b) { PressKeyIn(b, VK_ESCAPE); }, IDOK},
        {MB_OKCANCEL, [](HWND b) { PressKeyIn(b, VK_ESCAPE); }, IDCANCEL},
        {MB_OKCANCEL, [](HWND b) { Click(b, IDOK); }, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, [](HWND b) { PressKeyIn(b, VK_RETURN); }, IDCANCEL},
        {MB_YESNO,
         [](HWND b) {
             PressKeyIn(b, VK_ESCAPE); // no Cancel and no OK: nothing happens
             if (StaysOpen(b))
                 Click(b, IDNO);
         },
         IDNO},
        {MB_YESNO, [](HWND b) { Click(b, IDYES); }, IDYES},
        {MB_YESNOCANCEL, [](HWND b) { PressKeyIn(b, VK_ESCAPE); }, IDCANCEL},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, [](HWND b) { PressKeyIn(b, VK_RETURN); }, IDNO},
        {MB_RETRYCANCEL, [](HWND b) { PressKeyIn(b, VK_ESCAPE); }, IDCANCEL},
        {MB_RETRYCANCEL, [](HWND b) { Click(b, IDRETRY); }, IDRETRY},
        {MB_ABORTRETRYIGNORE,
         [](HWND b) {
             PressKeyIn(b, VK_ESCAPE);
             if (StaysOpen(b))
                 Click(b, IDIGNORE);
         },
         IDIGNORE},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, [](HWND b) { PressKeyIn(b, VK_RETURN); }, IDIGNORE},
        {MB_ABORTRETRYIGNORE, [](HWND b) { Click(b, IDABORT); }, IDABORT},
        {7, [](HWND b) { PressKeyIn(b, VK_RETURN); }, IDOK}, // an unknown type still has OK
        {MB_OK, [](HWND b) { PostMessageW(b, WM_CLOSE, 0, 0); }, IDOK},
        {MB_YESNO, [](HWND b) { PostMessageW(GetDlgItem(b, IDYES), WM_CHAR, 'n', 1); }, IDNO}, // the mnemonic of &No
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.reply, ShowAndDrive(c.flags, CUnicodeString(u"Pick one."), c.drive)) << std::hex << c.flags;
}

TEST(LibraryMessageBox, ButtonsIconsAndLayout)
{
    struct Case {
        unsigned flags;
        const wchar_t* icon;
        std::vector<int> buttons;
        unsigned ownFlags = 0; // what Win32's flags cannot say
    } cases[] = {
        {MB_OK, IDI_EXCLAMATION, {IDOK}},
        {MB_YESNOCANCEL, IDI_EXCLAMATION, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, IDI_QUESTION, {IDYES, IDNO}},
        {MB_ABORTRETRYIGNORE, IDI_HAND, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_RETRYCANCEL, IDI_EXCLAMATION, {IDRETRY, IDCANCEL}},
        {MB_OK | MB_ICONINFORMATION, IDI_ASTERISK, {IDOK}},
        {MB_YESNO | MB_ICONINFORMATION, IDI_ASTERISK, {IDYES, IDNO}},
        {MB_OK | MB_ICONQUESTION, IDI_QUESTION, {IDOK}},
        {MB_OK | MB_ICONINFORMATION | MB_RIGHT | MB_RTLREADING, IDI_ASTERISK, {IDOK}},
        // Five buttons are wider than the text: the box widens so that all stay in it.
        {MB_YESNOCANCEL,
         IDI_EXCLAMATION,
         {IDYES, IDNO, ZYR::CMessageBox::kYesToAllReply, ZYR::CMessageBox::kNoToAllReply, IDCANCEL},
         ZYR::CMessageBox::kYesToAll | ZYR::CMessageBox::kNoToAll},
    };
    for (const Case& c : cases) {
        const unsigned flags = ZYR::CMessageBox::FlagsFromWin32(c.flags) | c.ownFlags;
        ShowOwnAndDrive(flags, CUnicodeString(u"Icons."), [&c](HWND box) {
            EXPECT_EQ(LoadIconW(nullptr, c.icon), ShownIcon(box)) << c.flags;
            // A right-to-left message is aligned right and read right to left.
            const HWND text = GetDlgItem(box, ZYR::CMessageBox::kTextControlId);
            // The text stands beside the icon, not over it.
            EXPECT_GT(RectIn(box, text).left, RectIn(box, IconControl(box)).right) << c.flags;
            EXPECT_EQ((c.flags & MB_RIGHT) != 0, (GetWindowLongW(text, GWL_STYLE) & ES_RIGHT) != 0) << c.flags;
            EXPECT_EQ((c.flags & MB_RTLREADING) != 0, (GetWindowLongW(text, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0);
            // The buttons lie on a band of their own, which starts a margin above them.
            const RECT first = RectIn(box, GetDlgItem(box, c.buttons.front()));
            // The box paints on its own thread: its pixels are read until they show it.
            EXPECT_TRUE(TestSupport::WaitUntil(
                [&] { return ScreenPixel(box, first.left, first.top - 6) == GetSysColor(COLOR_BTNFACE); },
                "the button band above the buttons"))
                << c.flags;
            RECT client{};
            GetClientRect(box, &client);
            // In their order, left to right: 88 by 26, 8 apart, the last and the band's bottom a
            // margin of 12 from the box's edges, none nearer its left edge.
            int left = client.right - 12 - static_cast<int>(c.buttons.size()) * 96 + 8;
            EXPECT_GE(left, 12) << c.flags;
            for (const int id : c.buttons) {
                const HWND button = GetDlgItem(box, id);
                ASSERT_NE(nullptr, button) << id;
                EXPECT_EQ(RectText(RECT{left, client.bottom - 38, left + 88, client.bottom - 12}),
                          RectText(RectIn(box, button)))
                    << id;
                left += 96;
            }
            for (const int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) // and no other
                EXPECT_EQ(std::count(c.buttons.begin(), c.buttons.end(), id), GetDlgItem(box, id) != nullptr) << id;
            Click(box, c.buttons.back());
        });
    }

    // One line makes a small box; 200 lines stay on the screen and scroll.
    RECT small{}, tall{};
    ShowAndDrive(MB_OK, CUnicodeString(u"One line."), [&small](HWND box) {
        GetWindowRect(box, &small);
        // Every box keeps one text column width, whatever its message, so that boxes look alike;
        // a line shorter than the icon is given the icon's height. The message area ends a
        // margin below them, where the button band begins.
        EXPECT_EQ("12, 12, 44, 44", RectText(RectIn(box, IconControl(box))));
        EXPECT_EQ("56, 12, 436, 44", RectText(RectIn(box, GetDlgItem(box, ZYR::CMessageBox::kTextControlId))));
        RECT client{};
        GetClientRect(box, &client);
        EXPECT_EQ("0, 0, 448, 106", RectText(client));
        EXPECT_TRUE(TestSupport::WaitUntil([&] { return ScreenPixel(box, 200, 56) == GetSysColor(COLOR_BTNFACE); },
                                           "the button band's top row"));
        EXPECT_NE(GetSysColor(COLOR_BTNFACE), ScreenPixel(box, 200, 55));
        Click(box, IDOK);
    });
    // A box without an owner stands in the middle of the work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((work.left + work.right - (small.right - small.left)) / 2, small.left);
    EXPECT_EQ((work.top + work.bottom - (small.bottom - small.top)) / 2, small.top);
    // So does one whose owner is hidden or minimized, as there is nothing to stand over.
    CBaseTestWindow owner;
    owner.Create(nullptr, RECT{0, 0, 200, 100}, WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    for (const int show : {SW_HIDE, SW_SHOWMINNOACTIVE}) {
        ShowWindow(owner.Handle(), show);
        const auto sameAsSmall = [&small, show](HWND box) {
            RECT r{};
            GetWindowRect(box, &r);
            EXPECT_EQ(RectText(small), RectText(r)) << show;
            Click(box, IDOK);
        };
        ShowOwnAndDrive(ZYR::CMessageBox::FlagsFromWin32(MB_OK), CUnicodeString(u"One line."), sameAsSmall,
                        owner.Handle());
    }
    owner.DestroyWindow();
    CUnicodeString lines;
    for (int i = 1; i <= 200; ++i)
        lines += CUnicodeString::Format(u"Line %d of a long message.\n", i);
    bool scrolls = false;
    ShowAndDrive(MB_OK, lines, [&tall, &scrolls](HWND box) {
        GetWindowRect(box, &tall);
        scrolls = (GetWindowLongW(GetDlgItem(box, ZYR::CMessageBox::kTextControlId), GWL_STYLE) & WS_VSCROLL) != 0;
        Click(box, IDOK);
    });
    EXPECT_LT(small.bottom - small.top, 200);
    EXPECT_GT(tall.bottom - tall.top, small.bottom - small.top);
    EXPECT_LE(tall.bottom - tall.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(scrolls);
}

TEST(LibraryMessageBox, CtrlCCopiesCaptionTextAndButtons)
{
    std::string copied;
    ShowAndDrive(MB_OKCANCEL, CUnicodeString(u"First line\nSecond line"), [&copied](HWND box) {
        // Whatever an earlier test left on the clipboard must not pass for the copy.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        // Ctrl with another key copies nothing; the focus moved by Shift+Tab after it shows it was read.
        const HWND focus = FocusIn(box);
        TypeUntil(box, 'X', VK_CONTROL);
        TypeUntil(box, VK_TAB, VK_SHIFT, "the focus moved by Shift+Tab", [&] { return FocusIn(box) != focus; });
        EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
        TypeUntil(box, 'C', VK_CONTROL, "the box's text on the clipboard", [&] {
            if (OpenClipboard(nullptr)) {
                if (const HANDLE data = GetClipboardData(CF_UNICODETEXT))
                    copied = CUnicodeString(static_cast<const wchar_t*>(GlobalLock(data))).ToUtf8(), GlobalUnlock(data);
                CloseClipboard();
            }
            return !copied.empty();
        });
        Click(box, IDCANCEL);
    });
    const std::string line = "---------------------------\r\n";
    EXPECT_EQ(line + "Box under test\r\n" + line + "First line\r\nSecond line\r\n" + line + "OK   Cancel\r\n" + line,
              copied);
}

TEST(LibraryMessageBox, TheLibraryHandlerShowsThisBoxWithTheDefaultIcon)
{
    // From another thread a standard box shows the message, with its own default icons.
    for (const auto& row : ReadTable("tests/data/standard-box-icons.tsv"))
        EXPECT_EQ(std::stoul(row.at(1), nullptr, 16),
                  ZYR::CZyrMessageHandler::StandardBoxIcon(std::stoul(row[0], nullptr, 16)))
            << row[0];
    // A box belongs to the window it is for only while that window is shown and not minimized;
    // otherwise it stands alone, on top.
    CBaseTestWindow shown, hidden, minimized;
    for (CBaseTestWindow* window : {&shown, &hidden, &minimized})
        window->Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    ShowWindow(shown.Handle(), SW_SHOWNOACTIVATE);
    ShowWindow(minimized.Handle(), SW_SHOWMINNOACTIVE);
    for (CBaseTestWindow* window : {&shown, &hidden, &minimized}) {
        HWND owner = window->Handle();
        const unsigned flags = ZYR::CZyrMessageHandler::EffectiveFlags(owner, MB_OK);
        const bool owned = window == &shown;
        EXPECT_EQ(owned ? window->Handle() : nullptr, owner);
        EXPECT_EQ(!owned, (flags & MB_TOPMOST) != 0);
        window->DestroyWindow();
    }
    // On the GUI thread the library's box chooses by its buttons: Cancel means exclamation.
    ZYR::CZyrMessageHandler handler;
    int reply = 0;
    HICON icon = nullptr;
    std::thread driver([&icon] {
        const HWND box = WaitForBox(L"Talmo Objects");
        if (box == nullptr)
            return;
        icon = ShownIcon(box);
        Click(box, IDRETRY);
    });
    {
        const CModalDeadline deadline("the library handler's box");
        reply = handler.Show(nullptr, CUnicodeString(u"Retry or cancel?"), CUnicodeString(u"Talmo Objects"),
                             MB_RETRYCANCEL);
    }
    driver.join();
    EXPECT_EQ(IDRETRY, reply);
    EXPECT_EQ(LoadIconW(nullptr, IDI_EXCLAMATION), icon);
}

namespace {
int g_secondReply = 0;
void CALLBACK ShowSecondBox(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    ZYR::CZyrMessageHandler handler;
    g_secondReply =
        handler.Show(nullptr, CUnicodeString(u"Second message"), CUnicodeString(u"Second box"), MB_OKCANCEL);
}
} // namespace

// A second message while a box is shown on the same thread is shown on top of it, and
// both answer in turn.
TEST(LibraryMessageBox, ASecondMessageWhileOneIsShown)
{
    ZYR::CMessageBox first(nullptr, CUnicodeString(u"First message"), CUnicodeString(u"Box under test"),
                           ZYR::CMessageBox::FlagsFromWin32(MB_OK));
    std::thread driver([] {
        const HWND box = WaitForBox(L"Box under test");
        if (box == nullptr)
            return;
        SetTimer(box, 1, 10, &ShowSecondBox);
        const HWND second = WaitForBox(L"Second box");
        EXPECT_FALSE(IsWindowEnabled(box)); // the first box waits for the second
        Click(second, IDCANCEL);
        TestSupport::WaitUntil([second] { return !IsWindow(second); }, "the second box closing");
        Click(box, IDOK);
    });
    {
        const CModalDeadline deadline("the first of two boxes");
        EXPECT_EQ(IDOK, first.DoModal());
    }
    driver.join();
    EXPECT_EQ(IDCANCEL, g_secondReply);
    EXPECT_EQ(0u, ZYR::CMessageBox::OpenCountForTesting());
}

namespace {

// Counts the idle updates the loops send it.
class CIdleCountingFrame : public CBaseTestWindow {
public:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == ZYR::CMessageLoop::IdleUpdateMessage())
            ++idleUpdates;
        return CBaseTestWindow::OnWndMsg(message, wParam, lParam, result);
    }
    std::atomic<int> idleUpdates{0};
};

} // namespace

// The program's idle work (frame updates, temporary wrappers) goes on while a box waits.
TEST(LibraryMessageBox, IdleWorkGoesOnWhileItShows)
{
    CIdleCountingFrame frame;
    frame.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    EXPECT_EQ(IDOK, ShowAndDrive(MB_OK, CUnicodeString(u"Idle?"), [&frame](HWND box) {
                  TestSupport::WaitUntil([&frame] { return frame.idleUpdates > 0; },
                                         "an idle update while the box shows");
                  Click(box, IDOK);
              }));
    frame.DestroyWindow();
    MSG quit; // the last frame's end asks for a quit, which the next test must not get
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

namespace {

// Starts the launcher on a disc of these files as the shell does, without standard output,
// checks the text and icon of its box of that caption, presses OK and checks the exit code.
void ExpectLauncherBox(std::initializer_list<std::pair<const char*, const char*>> files, const wchar_t* arguments,
                       const wchar_t* caption, const char16_t* text, const wchar_t* icon, DWORD exitCode)
{
    CTempFolder disc;
    CopyFileW(LauncherProgram().W(), disc.Path("Autorun.exe").W(), FALSE);
    for (const auto& file : files)
        disc.Write(file.first, file.second);
    CChildProcess launcher;
    ASSERT_TRUE(launcher.Start(L"\"" + std::wstring(disc.Path("Autorun.exe").W()) + L"\" " + arguments, disc.Path().W(),
                               false));
    const HWND box = WaitForBox(caption, launcher.ProcessId());
    ASSERT_NE(nullptr, box);
    wchar_t shown[256] = {0};
    TestSupport::SendWithDeadline(GetDlgItem(box, ZYR::CMessageBox::kTextControlId), WM_GETTEXT, 256,
                                  reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(CUnicodeString(text), CUnicodeString(shown));
    EXPECT_TRUE(TestSupport::WaitUntil([&] { return ShowsIcon(box, icon); }, "the box's icon"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(exitCode, launcher.Wait(TestSupport::kPatience));
}

} // namespace

// From the shell, without standard output: a start-up error ends with -1, a check's report
// with 1 (0 for a clean disc, which is told apart by its icon), each after its box.
TEST(LibraryMessageBox, TheLauncherWithoutAConsoleShowsItsErrorsAndReportsInTheBox)
{
    const char* page = "[Main]\nBackgroundSize=[99, 99]\nBackgroundColor=0\n";
    ExpectLauncherBox({{"Autorun.inf", "[Main]\nBackgroundColor=0\n"}}, L"", L"Talmo Objects",
                      u"Background size and color weren't set for window \"Main\".", IDI_EXCLAMATION,
                      static_cast<DWORD>(-1));
    ExpectLauncherBox({{"Autorun.inf", (std::string(page) + "Titel=x\n").c_str()}}, L"--check",
                      L"Disc check: 1 problem",
                      u"Autorun.inf:4: [Main] Titel: is not a known key; it is ignored (did you mean \"Title\"?)",
                      IDI_EXCLAMATION, 1);
    ExpectLauncherBox({{"Autorun.inf", "[Common]\nDir=.\n"}, {"Autorun0.ini", page}, {"Autorun2.ini", page}},
                      L"--check", L"Disc check: no problems",
                      u"The window's menu offers 2 languages: English (Autorun0.ini), Deutsch (Autorun2.ini)",
                      IDI_ASTERISK, 0);
}
