#include "FrameWindow.h"

#include "Errors.h"
#include "Lock.h"
#include "MessageLoop.h"
#include "WinApp.h"
#include "WindowClass.h"

#include <algorithm>
#include <mutex>

namespace ZYR {

namespace {
TObj::CLock g_framesLock;
std::vector<CFrameWindow*> g_frames;
} // namespace

ZYR_BEGIN_MESSAGE_MAP(CFrameWindow, CWindow)
    ZYR_ON_CREATE(OnCreate)
    ZYR_ON_MESSAGE(WM_CLOSE, OnClose)
    ZYR_ON_MESSAGE(WM_NCDESTROY, OnFrameNcDestroy)
    ZYR_ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ZYR_ON_MESSAGE(WM_SETFOCUS, OnFrameSetFocus)
ZYR_END_MESSAGE_MAP(CWindow)

CFrameWindow::~CFrameWindow()
{
    std::lock_guard<TObj::CLock> guard(g_framesLock);
    g_frames.erase(std::remove(g_frames.begin(), g_frames.end(), this), g_frames.end());
}

HBRUSH CFrameWindow::DefaultBrush() { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

std::vector<CFrameWindow*> CFrameWindow::Frames()
{
    std::lock_guard<TObj::CLock> guard(g_framesLock);
    return g_frames;
}

void CFrameWindow::Create(HWND parent, const RECT& rect, DWORD style, DWORD exStyle, HMENU menu, HBRUSH brush)
{
    if (brush == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(-1)))
        brush = DefaultBrush();
    m_registeredClass = RegisterWindowClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), brush);
    CreateEx(exStyle, m_registeredClass, TObj::CUnicodeString(), style, rect.left, rect.top, rect.right - rect.left,
             rect.bottom - rect.top, parent, menu);
}

bool CFrameWindow::CanClose()
{
    if (Handle() == nullptr)
        return true;
    if (GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD)
        return true;
    return IsWindowEnabled(Handle()) != FALSE;
}

int CFrameWindow::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }

LRESULT CFrameWindow::OnClose(WPARAM, LPARAM)
{
    if (!CanClose()) {
        MessageBeep(0);
        return 0;
    }
    return Default();
}

void CFrameWindow::OnAttach()
{
    std::lock_guard<TObj::CLock> guard(g_framesLock);
    if (std::find(g_frames.begin(), g_frames.end(), this) == g_frames.end())
        g_frames.push_back(this);
}

void CFrameWindow::OnDetach()
{
    std::lock_guard<TObj::CLock> guard(g_framesLock);
    g_frames.erase(std::remove(g_frames.begin(), g_frames.end(), this), g_frames.end());
}

// Leaving the frame (another program, a message box) remembers the focused child, and
// coming back gives it the focus again instead of leaving it on the frame.
LRESULT CFrameWindow::OnActivate(WPARAM, LPARAM)
{
    if (LOWORD(CurrentMessage().wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Handle(), focus))
            m_focusWindow = focus;
    }
    return Default();
}

LRESULT CFrameWindow::OnFrameSetFocus(WPARAM, LPARAM)
{
    if (m_focusWindow != nullptr && ::IsChild(Handle(), m_focusWindow) && IsWindowEnabled(m_focusWindow) &&
        IsWindowVisible(m_focusWindow)) {
        ::SetFocus(m_focusWindow);
        return 0;
    }
    return Default();
}

LRESULT CFrameWindow::OnFrameNcDestroy(WPARAM wParam, LPARAM lParam)
{
    m_focusWindow = nullptr;
    if (!m_registeredClass.IsEmpty())
        QueueWindowClassForRemoval(m_registeredClass);
    // Everything still needed is read before the frame may delete itself.
    const bool autoDelete = m_autoDelete;
    const bool keepRunning = m_keepRunning;
    const LRESULT result = OnNcDestroy(wParam, lParam);
    if (autoDelete)
        delete this;
    if (CMessageLoop::Innermost() != nullptr && Frames().empty()) {
        ForgetGuiThread();
        CWinApp* app = CWinApp::Current();
        if (!keepRunning && (app == nullptr || !app->VetoQuit()))
            QuitRequest(app != nullptr ? app->ExitCode() : 0);
    }
    return result;
}

} // namespace ZYR
