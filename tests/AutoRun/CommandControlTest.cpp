#include "../TalmoObjects/RecordingHandler.h"
#include "Deadline.h"
#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "CommandControl.h"
#include "GdiObject.h"
#include "TestDisc.h"
#include "TestText.h"
#include "WindowClass.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>

#include <functional>
#include <vector>

using TObj::CUnicodeString;

namespace {

const char* kPage =
    "[Main]\nBackgroundSize=[300, 200]\nBackgroundColor=FFFFFF\nTitle=Controls\nFontSize=12\n"
    "CommentRect=[10, 150, 290, 190]\nCommentDefault=default comment\n"
    "Command1_Text=First\nCommand1_Rect=[10, 10, 150, 50]\nCommand1_Action=$Second\n"
    "Command1_BackgroundColor=0000FF\nCommand1_BackgroundHoverColor=00FF00\nCommand1_BackgroundClickColor=FF0000\n"
    "Command1_Comment=first comment\nCommand1_Tooltip=Tip text\n"
    "Command2_Text=Other\nCommand2_Rect=[10, 60, 150, 100]\nCommand2_Action=$Second\nCommand2_Comment=other comment\n"
    "Command3_Text=Label\nCommand3_Rect=[160, 10, 290, 50]\n"
    "[Second]\nBackgroundSize=[300, 200]\nBackgroundColor=000000\nTitle=Second\nFontSize=12\n"
    "Command1_Text=Back\nCommand1_Rect=[10, 10, 150, 50]\nCommand1_Action=$Exit\n";

// Handles waiting messages the way the launcher's loop does, pre-translation included.
void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ZYR::CWindow* window = message.hwnd != nullptr ? ZYR::CWindow::FromHandle(message.hwnd) : nullptr;
        if (window != nullptr && window->PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Pumps messages until `condition` holds; false after `milliseconds`.
bool PumpUntil(const std::function<bool()>& condition, DWORD milliseconds = TestSupport::kPatience)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Pump();
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

BOOL CALLBACK CollectControl(HWND child, LPARAM data)
{
    if (auto* control = dynamic_cast<CCommandControl*>(ZYR::CWindow::FromHandlePermanent(child)))
        reinterpret_cast<std::vector<CCommandControl*>*>(data)->push_back(control);
    return TRUE;
}

// A launcher page shown in this process, with its controls.
struct CShownPage {
    CShownPage()
    {
        const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
        AutoRunStrings::commandControlClass = ZYR::RegisterWindowClass(CS_DBLCLKS, arrow, nullptr);
        AutoRunStrings::commentControlClass = AutoRunStrings::commandControlClass;
        disc.File("Autorun.inf", kPage);
        EXPECT_EQ("", disc.Load());
        window.Create();
        ShowWindow(window.Handle(), SW_SHOW);
        SetForegroundWindow(window.Handle());
        Pump();
    }
    ~CShownPage()
    {
        if (window.Handle() != nullptr)
            window.DestroyWindow();
        Pump();
    }
    std::vector<CCommandControl*> Controls() const
    {
        std::vector<CCommandControl*> controls;
        EnumChildWindows(window.Handle(), CollectControl, reinterpret_cast<LPARAM>(&controls));
        return controls;
    }
    POINT ScreenPoint(int x, int y) const
    {
        POINT point{x, y};
        ClientToScreen(window.Handle(), &point);
        return point;
    }
    COLORREF Pixel(int x, int y) const
    {
        const POINT point = ScreenPoint(x, y);
        const HDC screen = GetDC(nullptr);
        const COLORREF color = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        return color;
    }
    void MoveTo(int x, int y) const
    {
        const POINT point = ScreenPoint(x, y);
        SetCursorPos(point.x, point.y);
    }
    CTestDisc disc;
    CAutoRunWindow window;
};

void Button(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void Key(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof inputs[0]);
}

} // namespace

TEST(CommandControl, StatesCommentsAndClicksWithTheRealPointer)
{
    CRecordingHandler recorder;
    CShownPage page;
    ASSERT_EQ(2u, page.Controls().size());
    page.MoveTo(250, 120); // nowhere
    PumpUntil([] { return false; }, 200);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    EXPECT_TRUE(PumpUntil([&] { return page.Pixel(140, 45) == red; })) << std::hex << page.Pixel(140, 45);
    EXPECT_EQ(U("default comment"), page.window.CommentText());

    page.MoveTo(100, 30); // onto the first command: hovered
    EXPECT_TRUE(PumpUntil([&] { return page.Pixel(140, 45) == green; })) << std::hex << page.Pixel(140, 45);
    EXPECT_EQ(U("first comment"), page.window.CommentText());

    Button(MOUSEEVENTF_LEFTDOWN); // pressed
    EXPECT_TRUE(PumpUntil([&] { return page.Pixel(140, 45) == blue; })) << std::hex << page.Pixel(140, 45);
    page.MoveTo(250, 120); // dragged off while held: no longer hovered, still pressed
    EXPECT_TRUE(PumpUntil([&] { return page.window.CommentText() == U("default comment"); }));
    Button(MOUSEEVENTF_LEFTUP); // released outside: nothing runs
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(U("Main"), page.window.CurrentPage()->name);
    EXPECT_EQ(nullptr, GetCapture());

    page.MoveTo(130, 45); // away from the last press, or the next one is a double click
    PumpUntil([&] { return page.window.CommentText() == U("first comment"); });
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP); // a full click runs the action
    EXPECT_TRUE(PumpUntil([&] { return page.window.CurrentPage()->name == U("Second"); }));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(CommandControl, KeyboardFocusTabAndEnter)
{
    CRecordingHandler recorder;
    CShownPage page;
    page.MoveTo(250, 120); // no command hovered, or focus would not change the comment
    ASSERT_TRUE(PumpUntil([&] { return page.window.CommentText() == U("default comment"); }));
    const std::vector<CCommandControl*> controls = page.Controls();
    ASSERT_EQ(2u, controls.size());
    // Up from the window itself focuses the last command.
    SetFocus(page.window.Handle());
    Key(VK_UP);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == controls[1]->Handle(); }));
    EXPECT_EQ(U("other comment"), page.window.CommentText());
    Key(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == controls[0]->Handle(); }));
    EXPECT_EQ(U("first comment"), page.window.CommentText());
    Key(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return page.window.CurrentPage()->name == U("Second"); }));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(CommandControl, TooltipAndAccessibilityRoles)
{
    CRecordingHandler recorder;
    CShownPage page;
    const std::vector<CCommandControl*> controls = page.Controls();
    ASSERT_EQ(2u, controls.size());
    EXPECT_EQ(65538, SendMessageW(controls[0]->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)));
    struct CFind {
        static BOOL CALLBACK Label(HWND child, LPARAM data)
        {
            wchar_t text[16] = {0};
            GetWindowTextW(child, text, 16);
            if (lstrcmpW(text, L"Label") == 0)
                *reinterpret_cast<HWND*>(data) = child;
            return TRUE;
        }
    };
    HWND label = nullptr;
    EnumChildWindows(page.window.Handle(), CFind::Label, reinterpret_cast<LPARAM>(&label));
    ASSERT_NE(nullptr, label);
    EXPECT_EQ(65539, SendMessageW(label, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)));
    EXPECT_EQ(DLGC_STATIC, SendMessageW(label, WM_GETDLGCODE, 0, 0));

    // Resting on the command brings up its tooltip with its text.
    const HWND tooltip = controls[0]->ToolTip().Handle();
    ASSERT_NE(nullptr, tooltip);
    EXPECT_EQ(0u, controls[1]->ToolTip().StoredTextCount()); // no Tooltip: no tool
    page.MoveTo(60, 25);
    PumpUntil([] { return false; }, 100);
    page.MoveTo(61, 26);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(tooltip) != FALSE; }, 5000));
    wchar_t text[64] = {0};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = controls[0]->Handle();
    info.uId = reinterpret_cast<UINT_PTR>(controls[0]->Handle());
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(CUnicodeString(u"Tip text"), CUnicodeString(text));
}

TEST(CommandControl, ManyPageSwitchesAndHoverChangesLeakNothing)
{
    CRecordingHandler recorder;
    CShownPage page;
    const long handlesBefore = ZYR::CGdiObject::LiveHandles();
    const std::size_t windowsBefore = ZYR::CWindow::BoundWindowCount();
    for (int i = 0; i < 250; ++i) {
        page.window.GoToPage(CUnicodeString(u"Second"));
        page.window.GoBack(true);
    }
    Pump();
    EXPECT_EQ(handlesBefore, ZYR::CGdiObject::LiveHandles());
    EXPECT_EQ(windowsBefore, ZYR::CWindow::BoundWindowCount());
    const HWND first = page.Controls()[0]->Handle();
    for (int i = 0; i < 2500; ++i) {
        SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // hovered
        SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(500, 10)); // off it
    }
    Pump();
    EXPECT_EQ(handlesBefore, ZYR::CGdiObject::LiveHandles());
    EXPECT_EQ(windowsBefore, ZYR::CWindow::BoundWindowCount());
    EXPECT_TRUE(recorder.messages.empty());
}

namespace {

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Windows fills PrivateUsage; Wine leaves it 0 but counts the same commit in PagefileUsage.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

} // namespace

// Runs as its own ctest entry: ten thousand of each take a while.
TEST(Soak, TenThousandPageSwitchesAndHoverChangesKeepHandlesAndMemoryFlat)
{
    CRecordingHandler recorder;
    CShownPage page;
    const auto roundTrips = [&](int count) {
        for (int i = 0; i < count; ++i) {
            page.window.GoToPage(CUnicodeString(u"Second"));
            page.window.GoBack(true);
            Pump();
        }
    };
    const auto hoverChanges = [&](int count) {
        const HWND first = page.Controls()[0]->Handle();
        for (int i = 0; i < count / 2; ++i) {
            SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
            SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(500, 10));
        }
        Pump();
    };
    // A first round lets the heaps and caches reach their working size.
    roundTrips(250);
    hoverChanges(1000);
    const long handles = ZYR::CGdiObject::LiveHandles();
    const std::size_t windows = ZYR::CWindow::BoundWindowCount();
    const SIZE_T bytes = PrivateBytes();
    roundTrips(5000); // 10,000 switches
    hoverChanges(10000);
    EXPECT_EQ(handles, ZYR::CGdiObject::LiveHandles());
    EXPECT_EQ(windows, ZYR::CWindow::BoundWindowCount());
    const SIZE_T grown = PrivateBytes() > bytes ? PrivateBytes() - bytes : 0;
    std::printf("private bytes: %llu KB at the start, grown by %llu KB\n", static_cast<unsigned long long>(bytes / 1024),
                static_cast<unsigned long long>(grown / 1024));
    EXPECT_LT(grown, 1024u * 1024u);
    EXPECT_TRUE(recorder.messages.empty());
}
