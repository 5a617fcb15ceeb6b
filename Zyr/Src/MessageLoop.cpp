#include "MessageLoop.h"

#include "CatchFailure.h"
#include "Errors.h"
#include "FrameWindow.h"
#include "ReportPlaces.h"
#include "ScopeExit.h"
#include "WinApp.h"
#include "WindowClass.h"
#include "ZyrFailure.h"

#include <memory>
#include <utility>

namespace ZYR {

namespace {

// Messages that come on their own, whatever the user does, and so never end idleness:
// the system's caret-blink timer (WM_SYSTIMER, undocumented) and a message the window
// library keeps for itself (WM_APP + 2), which nothing posts today.
constexpr UINT kCaretBlinkTimer = 0x0118;
constexpr UINT kLibraryReservedMessage = WM_APP + 2;

CMessageLoop* g_innermost = nullptr;
const UINT g_idleUpdate = RegisterWindowMessageW(L"WM_AppIdleUpdate");

template <typename Step>
bool Barrier(Step step)
{
    bool result = false;
    TObj::ReportFailure([&] { result = step(); });
    return result;
}

// Each frame that is a live top-level window, the newest first, until `visit` answers false.
template <typename Visit>
void ForEachTopLevelFrame(Visit visit)
{
    const std::vector<CFrameWindow*> frames = CFrameWindow::Frames();
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        const HWND handle = (*it)->Handle();
        if (handle != nullptr && IsWindow(handle) && (GetWindowLongW(handle, GWL_STYLE) & WS_CHILD) == 0 &&
            !visit(**it))
            return;
    }
}

} // namespace

CMessageLoop* CMessageLoop::Innermost() noexcept { return g_innermost; }
UINT CMessageLoop::IdleUpdateMessage() { return g_idleUpdate; }

bool CMessageLoop::PreTranslateMessage(MSG& message)
{
    if (m_enclosing != nullptr)
        return m_enclosing->PreTranslateMessage(message);
    if (message.hwnd == nullptr)
        return false;
    CWindow* window = CWindow::FromHandle(message.hwnd);
    return window != nullptr && window->PreTranslateMessage(message);
}

bool CMessageLoop::IsIdleMessage(const MSG& message)
{
    if (m_enclosing != nullptr)
        return m_enclosing->IsIdleMessage(message);
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        if (message.message == m_lastMoveKind && message.pt.x == m_lastMove.x && message.pt.y == m_lastMove.y)
            return false;
        m_lastMoveKind = message.message;
        m_lastMove = message.pt;
        return true;
    }
    return message.message != WM_PAINT && message.message != WM_TIMER && message.message != kCaretBlinkTimer &&
           message.message != kLibraryReservedMessage;
}

bool CMessageLoop::OnIdle(int count)
{
    if (m_enclosing != nullptr)
        return m_enclosing->OnIdle(count);
    if (count == 0) {
        ForEachTopLevelFrame([](CFrameWindow& frame) {
            ZyrWindowProcedure(frame.Handle(), g_idleUpdate, 0, 0);
            return true;
        });
        DeleteTemporaryWindows();
        UnregisterQueuedWindowClasses();
    }
    return false;
}

void CMessageLoop::QuitLoop(int exitCode)
{
    if (m_enclosing != nullptr) {
        PostQuitMessage(exitCode);
        return;
    }
    ForEachTopLevelFrame([](CFrameWindow& frame) {
        frame.DestroyWindow();
        return true;
    });
}

bool CMessageLoop::PumpMessage()
{
    const BOOL got = GetMessageW(&m_message, nullptr, 0, 0);
    if (got == -1) {
        ReportFailedCall(Places::kPumpMessage);
        return false;
    }
    const bool quit = m_message.message == WM_QUIT;
    Barrier([this, quit] {
        if (quit) {
            PreTranslateMessage(m_message);
            QuitLoop(static_cast<int>(m_message.wParam));
        } else if (m_message.message == 0 || !PreTranslateMessage(m_message)) {
            TranslateMessage(&m_message);
            DispatchMessageW(&m_message);
        }
        return true;
    });
    return ContinueLoop() && !quit;
}

void CMessageLoop::Run()
{
    m_enclosing = g_innermost;
    g_innermost = this;
    const auto restore = TObj::OnScopeExit([this] { g_innermost = std::exchange(m_enclosing, nullptr); });
    int idleCount = 0;
    bool idle = true;
    while (PumpMessage()) {
        const MSG handled = m_message;
        if (Barrier([this, &handled] { return IsIdleMessage(handled); })) {
            idle = true;
            idleCount = 0;
        }
        MSG waiting;
        if (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE) || !idle)
            continue;
        while (!PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) {
            const int count = idleCount++;
            if (!Barrier([this, count] { return OnIdle(count); })) {
                idle = false;
                break;
            }
        }
    }
}

void QuitRequest(int exitCode)
{
    bool closing = true;
    ForEachTopLevelFrame([&closing](CFrameWindow& frame) {
        if (frame.CanClose())
            return true;
        // A modal box holds the program: bring it to the front instead of quitting.
        const HWND popup = GetLastActivePopup(frame.Handle());
        if (popup != nullptr && popup != frame.Handle()) {
            SetForegroundWindow(popup);
            SetActiveWindow(popup);
        }
        closing = false;
        return false;
    });
    if (closing)
        PostQuitMessage(exitCode);
}

} // namespace ZYR
