#include "Deadline.h"
#include "ExpectThrows.h"
#include "ModalMessageLoop.h"
#include "TestText.h"
#include "TestWindows.h"
#include "WinApp.h"
#include "WindowClass.h"

#include <gtest/gtest.h>

using TObj::CUnicodeString;

namespace {

constexpr UINT kProbe = WM_USER + 20;

// Owns the modal window and hears WM_ENTERIDLE, said as a dialog box's loop says it.
class COwnerFrame : public CBaseTestWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam)
    {
        enterIdleFrom = wParam == MSGF_DIALOGBOX ? reinterpret_cast<HWND>(lParam) : nullptr;
        return 0;
    }
    HWND enterIdleFrom = nullptr;
};

ZYR_BEGIN_MESSAGE_MAP(COwnerFrame, CBaseTestWindow)
    ZYR_ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
ZYR_END_MESSAGE_MAP(CBaseTestWindow)

// Its modal message filter takes the probe, for whatever window it is meant.
class CFilteringChild : public CChildTestWindow {
public:
    bool PreTranslateModal(MSG& message) override
    {
        if (!filters)
            return CChildTestWindow::PreTranslateModal(message);
        if (message.message != kProbe)
            return false;
        ++probesSeen;
        return true;
    }
    int probesSeen = 0;
    bool filters = true; // false: the filter every window has
};

class CCountingApp : public ZYR::CWinApp {
public:
    bool OnIdle(int count) override
    {
        ++idlePasses;
        return CWinApp::OnIdle(count);
    }
    int idlePasses = 0;
};

// What the modal loop did while it ran inside the application's loop.
struct CModalRun {
    HWND modal = nullptr;
    int idlePasses = 0;
    bool shown = false;
    HWND enterIdleFrom = nullptr;
    int probesSeen = 0;
    bool endedByQuit = false;
    int exitCode = 0;
};

ZYR::CModalMessageLoop* g_loop = nullptr;
bool g_endWithQuit = false;

void CALLBACK EndModal(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (g_endWithQuit)
        PostQuitMessage(5);
    else
        g_loop->End();
}

CModalRun* s_run = nullptr;
CCountingApp* s_app = nullptr;
COwnerFrame* s_frame = nullptr;

// Runs the modal loop from inside the application's loop, so that it nests there.
void CALLBACK RunModalOnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    const int before = s_app->idlePasses;
    PostMessageW(s_frame->Handle(), kProbe, 0, 0);
    SetTimer(nullptr, 0, 150, &EndModal);
    g_loop->Run();
    s_run->idlePasses = s_app->idlePasses - before;
    s_run->endedByQuit = g_loop->EndedByQuit();
    s_run->shown = IsWindowVisible(s_run->modal) != FALSE;
    if (!g_endWithQuit)
        PostMessageW(s_frame->Handle(), WM_CLOSE, 0, 0);
}

// Runs a modal loop with `flags` for a child of a frame, from a timer of the application's
// loop, so that the modal loop nests in it; a probe is posted to the frame meanwhile.
CModalRun RunNested(unsigned flags, bool endWithQuit, bool filters = true)
{
    CCountingApp app;
    COwnerFrame frame;
    frame.Create(nullptr, TestRect(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, reinterpret_cast<HBRUSH>(-1));
    CFilteringChild modal;
    modal.filters = filters;
    modal.CreateEx(0, ZYR::RegisterWindowClass(0, nullptr, nullptr), CUnicodeString(), WS_CHILD, RECT{0, 0, 20, 20},
                   &frame, 1);
    ZYR::CModalMessageLoop loop(&modal, flags);
    g_loop = &loop;
    g_endWithQuit = endWithQuit;
    CModalRun run;
    run.modal = modal.Handle();
    s_run = &run, s_app = &app, s_frame = &frame;
    SetTimer(nullptr, 0, 10, &RunModalOnTimer);
    {
        const TestSupport::CModalDeadline deadline("the application's loop around a modal loop");
        app.Run();
    }
    run.enterIdleFrom = frame.enterIdleFrom;
    run.probesSeen = modal.probesSeen;
    run.exitCode = app.ExitCode();
    // The last frame's end asks for a quit, which the next test must not get.
    if (frame.Handle() != nullptr)
        frame.DestroyWindow();
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    g_loop = nullptr;
    return run;
}

} // namespace

TEST(ModalMessageLoop, WhatEachFlagDoesInsideTheApplicationsLoop)
{
    using L = ZYR::CModalMessageLoop;
    struct Case {
        unsigned flags;
        bool idles, shown, enterIdle, filterSeesProbe;
    } cases[] = {
        {0, false, false, false, false},
        {L::kIdle, true, false, false, false},
        {L::kShowAtFirstIdle, false, false, false, false},
        {L::kIdle | L::kShowAtFirstIdle, true, true, false, false},
        {L::kIdle | L::kEnterIdleToOwner, true, false, true, false},
        {L::kWindowSeesFirst, false, false, false, true},
    };
    for (const Case& c : cases) {
        const CModalRun run = RunNested(c.flags, false);
        // Idle work, once done, waits for the next message: a few passes in the loop's 150 ms.
        EXPECT_EQ(c.idles, run.idlePasses > 0 && run.idlePasses < 10) << "flags " << c.flags << ": " << run.idlePasses;
        EXPECT_EQ(c.shown, run.shown) << "flags " << c.flags;
        EXPECT_EQ(c.enterIdle, run.enterIdleFrom != nullptr) << "flags " << c.flags;
        EXPECT_EQ(c.filterSeesProbe ? 1 : 0, run.probesSeen) << "flags " << c.flags;
        EXPECT_FALSE(run.endedByQuit) << "flags " << c.flags;
    }
    // A window without a filter of its own takes no message: the loop's timer still ends it.
    EXPECT_EQ(0, RunNested(L::kWindowSeesFirst, false, false).probesSeen);
}

TEST(ModalMessageLoop, AQuitEndsItAndIsPassedOnToTheApplication)
{
    const CModalRun run = RunNested(ZYR::CModalMessageLoop::kIdle, true);
    EXPECT_TRUE(run.endedByQuit);
    EXPECT_EQ(5, run.exitCode);
}

TEST(ModalMessageLoop, ALoopThatNothingCouldEndDoesNotRun)
{
    CChildTestWindow unborn;
    EXPECT_EQ("Internal program error:\nmessageloopzyr, 255.", MessageOf([&] {
                  ZYR::CModalMessageLoop loop(&unborn, ZYR::CModalMessageLoop::kIdle);
                  loop.Run();
              }));
    EXPECT_EQ("Internal program error:\nmessageloopzyr, 250.",
              MessageOf([&] { ZYR::CModalMessageLoop loop(&unborn, ZYR::CModalMessageLoop::kEnd); }));
}
