#include "Cursor.h"
#include "DC.h"
#include "Errors.h"
#include "Icon.h"
#include "MonitorDpi.h"
#include "Pixels.h"
#include "ExpectThrows.h"
#include "RecordingHandler.h"
#include "TestText.h"
#include "TestWindows.h"
#include "ToolTipCtrl.h"
#include "ThrowForbidden.h"
#include "WindowClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using TObj::CUnicodeString;

namespace {
const DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;

// A top-level window of a system class that the library knows nothing of.
HWND PlainWindow()
{
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}
} // namespace

TEST(Window, HandlersFollowTheChainedMaps)
{
    CRecordingHandler recorder;
    CDerivedTestWindow window;
    window.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    ASSERT_NE(nullptr, window.Handle());
    EXPECT_TRUE(window.boundBeforeCreate);
    struct Case {
        UINT message;
        WPARAM wParam;
        LRESULT result;
        const char* handled;
    } cases[] = {
        {kBaseOnly, 4, 5, "base "},
        {kOverridden, 0, 20, "derived-overridden "},
        {kDerivedOnly, 0, 30, "derived "},
        {kThrows, 0, 0, "throws "},
        {kUnhandled, 0, 0, ""},
    };
    for (const Case& c : cases) {
        g_handled.clear();
        EXPECT_EQ(c.result, window.SendMessage(c.message, c.wParam, 0)) << c.message;
        EXPECT_EQ(c.handled, g_handled) << c.message;
    }
    ASSERT_EQ(1u, recorder.messages.size());
    EXPECT_EQ(U("Invalid language code \"thrown\"."), recorder.messages[0].text);

    // An unhandled message reaches the default procedure.
    window.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Title"));
    EXPECT_EQ(5, window.SendMessage(WM_GETTEXTLENGTH));
    window.DestroyWindow();
    EXPECT_EQ(nullptr, window.Handle());
}

// A class registered by name is described as it was registered until it is unregistered;
// asking after it then is a failed call, reported at its own place.
TEST(Window, ANamedClassIsDescribedAsRegisteredUntilItIsUnregistered)
{
    const CUnicodeString name(u"ZYR test class");
    const HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    ASSERT_NE(0, ZYR::RegisterWindowClass(name, 0, cross, nullptr, nullptr));
    const WNDCLASSEXW described = ZYR::GetWindowClassInfo(name);
    EXPECT_EQ(static_cast<UINT>(CS_DBLCLKS), described.style);
    EXPECT_EQ(cross, described.hCursor);
    ZYR::UnregisterWindowClass(name);
    ExpectThrows<TObj::CInternalError>([&name] { ZYR::GetWindowClassInfo(name); },
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(180, e.Line()); });
}

TEST(Window, DestroyingInAnyOrderLeavesNoBoundWindow)
{
    const std::size_t before = ZYR::CWindow::BoundWindowCountForTesting();
    const CUnicodeString childClass = ZYR::RegisterWindowClass(0, nullptr, nullptr);
    const int orders[][4] = {{0, 1, 2, 3}, {3, 2, 1, 0}, {1, 3, 0, 2}, {0, 3, 1, 2}};
    for (const auto& order : orders) {
        CBaseTestWindow frame;
        frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
        CChildTestWindow children[3];
        for (int i = 0; i < 3; ++i)
            children[i].CreateEx(0, childClass, CUnicodeString(), WS_CHILD | WS_VISIBLE,
                                 RECT{i * 10, 0, i * 10 + 10, 10}, &frame, 1000);
        EXPECT_EQ(before + 4, ZYR::CWindow::BoundWindowCountForTesting());
        for (const int index : order) {
            ZYR::CWindow& window = index == 0 ? static_cast<ZYR::CWindow&>(frame) : children[index - 1];
            if (window.Handle() != nullptr)
                window.DestroyWindow();
        }
        EXPECT_EQ(before, ZYR::CWindow::BoundWindowCountForTesting());
    }
    // An object deleted while its window lives takes the window with it, and is no frame any more.
    const void* gone = nullptr;
    {
        CBaseTestWindow frame;
        frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
        gone = &frame;
    }
    EXPECT_EQ(before, ZYR::CWindow::BoundWindowCountForTesting());
    const std::vector<ZYR::CFrameWindow*> frames = ZYR::CFrameWindow::Frames();
    EXPECT_EQ(frames.end(), std::find(frames.begin(), frames.end(), gone));
    // A second window for an object that has one is refused, told, and makes nothing: where
    // failures are not thrown, the first window stays bound to it alone.
    CRecordingHandler recorder;
    {
        const CThrowForbidden forbidden;
        CBaseTestWindow frame;
        frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
        const HWND first = frame.Handle();
        frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
        EXPECT_EQ(first, frame.Handle());
        EXPECT_EQ(before + 1, ZYR::CWindow::BoundWindowCountForTesting());
    }
    ASSERT_EQ(1u, recorder.messages.size());
    EXPECT_NE(std::string::npos, recorder.messages[0].text.ToUtf8().find("winmapzyr, 38."));
    EXPECT_EQ(before, ZYR::CWindow::BoundWindowCountForTesting());
}

TEST(Window, ForeignClassesAreSubclassedAndPutBack)
{
    CBaseTestWindow frame;
    frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    ZYR::CWindow button;
    button.CreateEx(0, CUnicodeString(u"BUTTON"), CUnicodeString(u"Press"), WS_CHILD | BS_PUSHBUTTON,
                    RECT{0, 0, 80, 24}, &frame, 7);
    const HWND handle = button.Handle();
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&ZYR::ZyrWindowProcedure), GetWindowLongPtrW(handle, GWLP_WNDPROC));
    EXPECT_EQ(5, button.SendMessage(WM_GETTEXTLENGTH)); // the button's own procedure answers
    EXPECT_EQ(&button, ZYR::CWindow::FromHandle(handle));

    // A window the library did not create gets a temporary wrapper, the same one until idle.
    const HWND foreign =
        CreateWindowExW(0, L"STATIC", L"x", WS_CHILD, 0, 0, 5, 5, frame.Handle(), nullptr, nullptr, nullptr);
    ZYR::CWindow* wrapper = ZYR::CWindow::FromHandle(foreign);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(wrapper, ZYR::CWindow::FromHandle(foreign));
    EXPECT_EQ(nullptr, ZYR::CWindow::FromHandlePermanent(foreign));
    ZYR::DeleteTemporaryWindows();
    EXPECT_TRUE(IsWindow(foreign)) << "a temporary wrapper only detaches";
    frame.DestroyWindow();
    EXPECT_EQ(nullptr, button.Handle());
}

TEST(Window, AFrameGivesTheFocusBackToItsChildWhenItIsActiveAgain)
{
    CBaseTestWindow frame, other;
    frame.Create(nullptr, TestRect(), kFrameStyle | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    ZYR::CWindow first, second;
    for (ZYR::CWindow* child : {&first, &second})
        child->CreateEx(0, CUnicodeString(u"BUTTON"), CUnicodeString(u"Child"), WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                        RECT{0, 0, 80, 24}, &frame, 7);
    SetActiveWindow(frame.Handle());
    second.SetFocus();
    other.Create(nullptr, TestRect(), kFrameStyle | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    SetActiveWindow(other.Handle());
    EXPECT_NE(second.Handle(), GetFocus());
    SetActiveWindow(frame.Handle());
    EXPECT_EQ(second.Handle(), GetFocus()) << "the focus is back on the child it was on";

    // Another child going does not make the frame forget the one that had the focus.
    SetActiveWindow(other.Handle());
    first.DestroyWindow();
    SetActiveWindow(frame.Handle());
    EXPECT_EQ(second.Handle(), GetFocus()) << "the focus is back on its child after another one went";

    // A child that is gone is not given the focus.
    SetActiveWindow(other.Handle());
    second.DestroyWindow();
    SetActiveWindow(frame.Handle());
    EXPECT_EQ(frame.Handle(), GetFocus());
    other.DestroyWindow();
    frame.DestroyWindow();
}

// Each misuse of the library (a window object that has no window, an icon loaded twice)
// is a programming error, reported by the place users and support know it by; the call
// does nothing and answers nothing.
TEST(WindowLibrary, MisusesReportTheirOwnPlaces)
{
    const struct {
        const char* place;
        void (*use)(ZYR::CWindow&);
    } cases[] = {
        {"WindowZyr, 103", [](ZYR::CWindow& w) { EXPECT_EQ(0u, w.Style()); }},
        {"WindowZyr, 109", [](ZYR::CWindow& w) { EXPECT_EQ(0u, w.ExStyle()); }},
        {"WindowZyr, 125", [](ZYR::CWindow& w) { EXPECT_FALSE(w.IsChild()); }},
        {"WindowZyr, 215", [](ZYR::CWindow& w) { EXPECT_FALSE(w.IsVisible()); }},
        {"WindowZyr, 253", [](ZYR::CWindow& w) { w.UpdateWindow(); }},
        {"WindowZyr, 265", [](ZYR::CWindow& w) { w.Invalidate(true); }},
        {"WindowZyr, 271",
         [](ZYR::CWindow& w) {
             w.InvalidateRect(RECT{0, 0, 1, 1}, true);
         }},
        {"WindowZyr, 307", [](ZYR::CWindow& w) { EXPECT_FALSE(w.ShowWindow(SW_SHOW)); }},
        {"WindowZyr, 359", [](ZYR::CWindow& w) { EXPECT_EQ(nullptr, w.SetFocus()); }},
        {"WindowZyr, 420", [](ZYR::CWindow& w) { w.SetWindowPos(nullptr, 0, 0, 1, 1, 0); }},
        {"WindowZyr, 434", [](ZYR::CWindow& w) { EXPECT_EQ(0, w.GetWindowRect().right); }},
        {"WindowZyr, 448", [](ZYR::CWindow& w) { EXPECT_EQ(0, w.GetClientRect().right); }},
        {"WindowZyr, 510", [](ZYR::CWindow& w) { EXPECT_EQ(0, w.SendMessage(WM_NULL, 0, 0)); }},
        {"WindowZyr, 600", [](ZYR::CWindow& w) { w.TrackMouseEvent(TME_LEAVE, 0); }},
        {"windowzyr, 847", [](ZYR::CWindow& w) { w.DestroyWindow(); }},
        {"windowzyr, 226", [](ZYR::CWindow&) { ZYR::SetWindowTextW(nullptr, CUnicodeString(u"x")); }},
        {"userobjectzyr, 35", [](ZYR::CWindow&) { ZYR::CIcon().Attach(nullptr); }},
        {"userobjectzyr, 120",
         [](ZYR::CWindow&) {
             ZYR::CIcon icon;
             icon.Attach(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
             icon.LoadIconW(IDI_APPLICATION, 32, 32);
         }},
        {"userobjectzyr, 124", [](ZYR::CWindow&) { ZYR::CIcon().LoadIconW(L"NoSuchIcon", 32, 32); }},
        {"userobjectzyr, 265", [](ZYR::CWindow&) { ZYR::CCursor().Attach(nullptr); }},
        {"userobjectzyr, 34",
         [](ZYR::CWindow&) {
             ZYR::CIcon icon;
             icon.Attach(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
             icon.Attach(LoadIconW(nullptr, IDI_APPLICATION)); // refused, so never destroyed
         }},
        {"userobjectzyr, 264",
         [](ZYR::CWindow&) {
             ZYR::CCursor cursor;
             cursor.LoadSystemCursor(IDC_ARROW);
             cursor.LoadSystemCursor(IDC_IBEAM);
         }},
        {"dczyr, 48", [](ZYR::CWindow&) { ZYR::CBitmapDC(nullptr, nullptr); }},
        {"dczyr, 108", [](ZYR::CWindow&) { ZYR::CPaintDC{nullptr}; }},
        {"windowzyr, 151",
         [](ZYR::CWindow&) {
             EXPECT_EQ(0, ZYR::RegisterWindowClass(CUnicodeString(u"Button"), 0, nullptr, nullptr, nullptr));
         }},
        {"windowzyr, 1006", [](ZYR::CWindow& w) { w.Attach(nullptr); }},
        {"tooltipctrlzyr, 141", [](ZYR::CWindow& w) { ZYR::CToolTipCtrl().AddTool(&w, &w, CUnicodeString(u"tip")); }},
        {"windowzyr, 966",
         [](ZYR::CWindow&) {
             ZYR::CWindow w;
             const HWND first = PlainWindow();
             const HWND second = PlainWindow();
             w.SubclassWindow(first);
             w.SubclassWindow(second);
             EXPECT_EQ(first, w.Handle());
             ::DestroyWindow(second);
             ::DestroyWindow(first);
         }},
        {"windowzyr, 970",
         [](ZYR::CWindow&) {
             ZYR::CWindow w;
             CBaseTestWindow frame;
             frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
             w.SubclassWindow(frame.Handle());
             EXPECT_EQ(nullptr, w.Handle());
         }},
        {"windowzyr, 1005",
         [](ZYR::CWindow&) {
             CBaseTestWindow frame;
             frame.Create(nullptr, TestRect(), kFrameStyle, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
             const HWND own = frame.Handle();
             const HWND other = PlainWindow();
             frame.Attach(other);
             EXPECT_EQ(own, frame.Handle());
             ::DestroyWindow(other);
         }},
    };
    for (const auto& c : cases)
        ExpectReportedOnceAt(c.place, [&c] {
            CBaseTestWindow window;
            c.use(window);
        });
}

// A frame asked for before there is a window is the one of the system's DPI.
TEST(Window, AFrameForNoWindowIsTheOneOfTheSystemsDpi)
{
    RECT expected{0, 0, 300, 200};
    AdjustWindowRectEx(&expected, kFrameStyle, FALSE, WS_EX_CLIENTEDGE);
    const RECT frame = ZYR::CMonitorDpi::Frame(RECT{0, 0, 300, 200}, kFrameStyle, WS_EX_CLIENTEDGE, nullptr);
    EXPECT_EQ(RectText(expected), RectText(frame));
}
