#include "ModalMessageLoop.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "Window.h"

namespace ZYR {

CModalMessageLoop::CModalMessageLoop(CWindow* modal, unsigned flags) : m_modal(modal), m_flags(flags)
{
    TOBJ_ASSERT((flags & kEnd) == 0, Places::kModalLoopEndedBeforeRun);
}

void CModalMessageLoop::Run()
{
    if (!TOBJ_ASSERT(m_modal != nullptr && IsWindow(m_modal->Handle()), Places::kModalLoopWithoutWindow))
        return;
    CMessageLoop::Run();
    // The enclosing loop may be waiting in GetMessage: wake it so it looks at its state.
    PostThreadMessageW(GetCurrentThreadId(), 0, 0, 0);
}

bool CModalMessageLoop::PreTranslateMessage(MSG& message)
{
    if ((m_flags & (kEnd | kWindowSeesFirst)) == kWindowSeesFirst && m_modal->PreTranslateModal(message))
        return true;
    return CMessageLoop::PreTranslateMessage(message);
}

bool CModalMessageLoop::IsIdleMessage(const MSG& message)
{
    return (m_flags & kIdle) != 0 && CMessageLoop::IsIdleMessage(message);
}

bool CModalMessageLoop::OnIdle(int count)
{
    if ((m_flags & kIdle) == 0)
        return false;
    if ((m_flags & kShowAtFirstIdle) != 0) {
        if (!IsWindowVisible(m_modal->Handle())) {
            m_modal->ShowWindow(SW_SHOWNORMAL);
            m_modal->UpdateWindow();
        }
        m_flags &= ~kShowAtFirstIdle;
    }
    if ((m_flags & kEnterIdleToOwner) != 0 && count == 0) {
        HWND owner = m_modal->Handle();
        while ((GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) != 0 && GetParent(owner) != nullptr)
            owner = GetParent(owner);
        ::SendMessageW(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(m_modal->Handle()));
    }
    if (m_enclosing != nullptr)
        m_enclosing->OnIdle(count);
    else if (count == 0)
        CMessageLoop::OnIdle(count);
    return false;
}

} // namespace ZYR
