#include "ChildProcess.h"
#include "Deadline.h"
#include "Errors.h"
#include "ExpectThrows.h"
#include "MessageLoop.h"
#include "ProgramPaths.h"
#include "RecordingHandler.h"
#include "TestText.h"
#include "TestWindows.h"
#include "WinApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

using TObj::CUnicodeString;

namespace {

struct CChildResult {
    DWORD exitCode;
    std::string output;
};

CChildResult RunChild(const CUnicodeString& program, const CUnicodeString& arguments)
{
    CChildProcess child;
    const CUnicodeString line = u"\"" + TObj::GetProgramFolder() + program + u"\" " + arguments;
    if (!child.Start(std::wstring(line.W())))
        return CChildResult{0xDEAD, ""};
    const DWORD exitCode = child.Wait(TestSupport::kPatience);
    return CChildResult{exitCode, child.Output()};
}

void CALLBACK CloseOnTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// Input after the loop went idle once; the frame closes when the loop has stood idle again.
void CALLBACK NudgeThenCloseOnTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    PostMessageW(window, WM_NULL, 0, 0);
    SetTimer(window, id, 50, &CloseOnTimer);
}

class CTestApp : public ZYR::CWinApp {
public:
    bool OnIdle(int count) override
    {
        ++idlePasses;
        if (throwInIdle) {
            throwInIdle = false;
            TOBJ_MESSAGE(ERR_AR_INVALID_LANG_CODE);
            TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, CUnicodeString(u"idle"));
        }
        return CWinApp::OnIdle(count);
    }
    int idlePasses = 0;
    bool throwInIdle = false;
};

} // namespace

TEST(Application, ExitCodesOfWholePrograms)
{
    struct Case {
        const char* mode;
        DWORD exitCode;
        const char* output;
    } cases[] = {
        {"close", 0, ""},
        {"init-throws", static_cast<DWORD>(-1), "D:\\Autorun.inf was not found."},
        {"init-false", 0, ""},
        {"quit:7", 7, ""},
        {"handler-throws", 0, "handler.ini was not found."},
        {"handler-breaks-a-container-rule", 0, "Internal program error:\r\nruntime, 5."},
        {"exit-throws", static_cast<DWORD>(-1), "exit.ini was not found."},
        {"late-message", 0, "A late word."},
    };
    for (const Case& c : cases) {
        const CChildResult result = RunChild(CUnicodeString(u"ZyrExitProgram.exe"), U(c.mode));
        EXPECT_EQ(c.exitCode, result.exitCode) << c.mode;
        if (*c.output != 0) {
            EXPECT_NE(std::string::npos, result.output.find(c.output)) << c.mode << ": " << result.output;
        }
    }
}

TEST(Application, LoopReportsIdleFailuresAndEndsWithTheLastFrame)
{
    CRecordingHandler recorder;
    CTestApp app;
    app.throwInIdle = true;
    CBaseTestWindow frame;
    frame.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    app.SetExitCode(3);
    PostMessageW(frame.Handle(), kBaseOnly, 0, 0);
    PostMessageW(frame.Handle(), WM_KEYDOWN, 'A', (0x1E << 16) | 1); // a key gives its character too
    // A timer lets the loop go idle, wakes it with input, and closes the frame once it is idle again.
    SetTimer(frame.Handle(), 1, 50, &NudgeThenCloseOnTimer);
    g_handled.clear();
    {
        const TestSupport::CModalDeadline deadline("the application's loop");
        app.Run();
    }
    EXPECT_EQ("base char ", g_handled);
    // Idle work runs once each time input comes, not over and over while none does.
    EXPECT_GE(app.idlePasses, 2);
    EXPECT_LE(app.idlePasses, 20);
    ASSERT_EQ(1u, recorder.messages.size());
    EXPECT_EQ(U("Invalid language code \"idle\"."), recorder.messages[0].text);
    EXPECT_EQ(nullptr, frame.Handle());
    EXPECT_EQ(3, app.ExitCode()); // WM_QUIT carried the application's exit code
}

namespace {

// Its memory is never given back, and reads as garbage once it is deleted: a handler that
// touched the frame after it deleted itself would see keepRunning set.
class CSelfDeletingFrame : public CBaseTestWindow {
public:
    ~CSelfDeletingFrame() override { deleted = true; }
    static void operator delete(void* memory, std::size_t size) { std::memset(memory, 0xDD, size); }
    static bool deleted;
};
bool CSelfDeletingFrame::deleted = false;

} // namespace

TEST(Application, AFrameThatDeletesItselfStillEndsTheLoopAsTheLastFrame)
{
    CTestApp app;
    auto* frame = new CSelfDeletingFrame;
    frame->SetAutoDelete(true);
    frame->Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    SetTimer(frame->Handle(), 1, 50, &CloseOnTimer);
    {
        const TestSupport::CModalDeadline deadline("the loop after its last frame deleted itself", 10000);
        app.Run();
    }
    EXPECT_TRUE(CSelfDeletingFrame::deleted);
}

namespace {
class CPaintFailsWindow : public ZYR::CFrameWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    void Fail()
    {
        TOBJ_MESSAGE(ERR_AR_INVALID_LANG_CODE);
        TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, CUnicodeString(u"paint"));
    }
};
ZYR_BEGIN_MESSAGE_MAP(CPaintFailsWindow, ZYR::CFrameWindow)
    ZYR_ON_VOID(WM_PAINT, Fail)
ZYR_END_MESSAGE_MAP(ZYR::CFrameWindow)
} // namespace

// A window whose painting fails is reported once, not painted and reported again and again.
TEST(Application, APaintThatFailsIsReportedOnce)
{
    CRecordingHandler recorder;
    CTestApp app;
    CPaintFailsWindow window;
    window.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    for (int i = 0; i < 3; ++i)
        UpdateWindow(window.Handle());
    EXPECT_EQ(1u, recorder.messages.size());
    window.DestroyWindow();
}

namespace {
constexpr UINT kFirstFailure = WM_APP, kOtherFailure = WM_APP + 1;
HWND g_failing = nullptr;
UINT g_failsWhileReported = 0;

// Its erasing, activation and two messages of its own fail too.
class CFailingWindow : public CPaintFailsWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    void FailToo() { Fail(); }
};
ZYR_BEGIN_MESSAGE_MAP(CFailingWindow, CPaintFailsWindow)
    ZYR_ON_VOID(kFirstFailure, FailToo)
    ZYR_ON_VOID(kOtherFailure, FailToo)
    ZYR_ON_VOID(WM_ERASEBKGND, FailToo)
    ZYR_ON_VOID(WM_ACTIVATE, FailToo)
ZYR_END_MESSAGE_MAP(CPaintFailsWindow)
} // namespace

// A report's box draws over the windows and activates: a failure in drawing or activation
// while it shows would bring box upon box, so it is only logged; any other is reported too.
TEST(Application, AFailureWhileOneIsReportedIsReportedUnlessItDrawsOrActivates)
{
    const struct {
        UINT message;
        std::size_t reports;
    } cases[] = {{WM_PAINT, 1}, {WM_ERASEBKGND, 1}, {WM_ACTIVATE, 1}, {kOtherFailure, 2}};
    for (const auto& c : cases) {
        CRecordingHandler recorder;
        recorder.onShow = [](const CUnicodeString&) {
            if (const UINT message = std::exchange(g_failsWhileReported, 0U))
                SendMessageW(g_failing, message, 0, 0);
        };
        CTestApp app;
        CFailingWindow window; // hidden, so that nothing but the test draws or activates it
        window.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
        g_failing = window.Handle();
        g_failsWhileReported = c.message;
        SendMessageW(g_failing, kFirstFailure, 0, 0);
        EXPECT_EQ(c.reports, recorder.messages.size()) << c.message;
        window.DestroyWindow();
    }
}

namespace {
struct CClassCheck {
    wchar_t name[256]; // the closed frame's class
    HBRUSH brush;      // its background, which its class owns
    BOOL registered;   // as found once the loop had gone idle
    DWORD brushType;
    int checksLeft;
} g_classCheck;

// A loaded machine may bring the first tick before the loop has stood idle: the loop idles
// between ticks, so a few more are asked before the answer counts.
void CALLBACK CheckClassThenCloseOnTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    g_classCheck.registered = GetClassInfoExW(GetModuleHandleW(nullptr), g_classCheck.name, &description);
    g_classCheck.brushType = GetObjectType(g_classCheck.brush);
    if (g_classCheck.registered && --g_classCheck.checksLeft > 0)
        return;
    KillTimer(window, id);
    PostMessageW(window, WM_CLOSE, 0, 0);
}
} // namespace

// A page that goes gives back its window class and background brush while the program runs
// on, not when it ends: paging back and forth must not pile them up.
TEST(Application, AClosedFrameGivesBackItsClassAndBrushWhileTheLoopRuns)
{
    CTestApp app;
    CBaseTestWindow page, next;
    g_classCheck = CClassCheck{{}, CreateSolidBrush(RGB(1, 2, 3)), TRUE, OBJ_BRUSH, 5};
    page.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, g_classCheck.brush);
    next.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    ASSERT_NE(0, GetClassNameW(page.Handle(), g_classCheck.name, 256));
    PostMessageW(page.Handle(), WM_CLOSE, 0, 0);
    SetTimer(next.Handle(), 1, 100, &CheckClassThenCloseOnTimer);
    {
        const TestSupport::CModalDeadline deadline("the loop after its two frames closed");
        app.Run();
    }
    EXPECT_FALSE(g_classCheck.registered) << "the class of the closed frame";
    EXPECT_EQ(0u, g_classCheck.brushType) << "its brush";
}

// Asked to quit while a frame is held (disabled), the program stays: the popup that holds
// the frame comes to the front, and a frame held by no popup of its own stays behind.
TEST(Application, AQuitRequestWaitsForAHeldFrame)
{
    CBaseTestWindow held, other;
    for (CBaseTestWindow* frame : {&held, &other})
        frame->Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    EnableWindow(held.Handle(), FALSE);
    HWND popup = nullptr;
    MSG quit{};
    for (const bool byPopup : {false, true}) {
        if (byPopup) // active as it shows, so the last active popup of its owner
            popup = CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, held.Handle(), {}, {}, {});
        SetActiveWindow(other.Handle());
        ZYR::QuitRequest(3);
        EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << byPopup;
        EXPECT_EQ(byPopup ? popup : other.Handle(), GetActiveWindow()) << byPopup;
    }
    held.DestroyWindow(); // and its popup with it
    ZYR::QuitRequest(3);
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 3);
    other.DestroyWindow();
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); // the last frame's end asks for one too
}

TEST(Application, IdleRestartsOnlyForNewInput)
{
    CTestApp app;
    MSG move{};
    move.message = WM_MOUSEMOVE;
    move.pt = POINT{10, 10};
    struct Case {
        UINT message;
        POINT point;
        bool restarts;
    } cases[] = {
        {WM_MOUSEMOVE, {10, 10}, true},   {WM_MOUSEMOVE, {10, 10}, false}, {WM_MOUSEMOVE, {11, 10}, true},
        {WM_NCMOUSEMOVE, {11, 10}, true}, {WM_PAINT, {0, 0}, false},       {WM_TIMER, {0, 0}, false},
        {0x0118, {0, 0}, false},          {0x8002, {0, 0}, false},         {WM_KEYDOWN, {0, 0}, true},
    };
    for (const Case& c : cases) {
        MSG message{};
        message.message = c.message;
        message.pt = c.point;
        EXPECT_EQ(c.restarts, app.IsIdleMessage(message)) << c.message;
    }
}

TEST(Application, OnlyOneApplicationAtATime)
{
    CTestApp first;
    EXPECT_EQ(&first, ZYR::CWinApp::Current());
    ExpectThrows<TObj::CInternalError>([] { CTestApp second; },
                                       [](const TObj::CInternalError& e) { EXPECT_EQ(35, e.Line()); });
    EXPECT_EQ(&first, ZYR::CWinApp::Current());
}
