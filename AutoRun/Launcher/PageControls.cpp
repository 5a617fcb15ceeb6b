#include "PageControls.h"

#include "CommandControl.h"
#include "CommentControl.h"
#include "ControlHost.h"
#include "GdiGlobals.h"
#include "PageLayout.h"

#include <memory>

CPageControls::CPageControls(CControlHost& host) : m_host(host) {}

CPageControls::~CPageControls() = default;

void CPageControls::Destroy()
{
    for (CCommandControl* control : m_commandControls)
        ZYR::DestroyWindowIfAlive(*control);
    m_commandControls.Clear();
    DestroyLabels();
}

void CPageControls::DestroyLabels()
{
    for (CCommentControl* control : m_commentControls)
        ZYR::DestroyWindowIfAlive(*control);
    m_commentControls.Clear();
}

void CPageControls::Show(const CWindowSettings& page, bool wait)
{
    // Command controls are kept and given the new page's commands; only the difference in
    // number is made or destroyed. Labels go first, so that new controls come after the
    // kept ones, in the order a fresh page has.
    DestroyLabels();
    int kept = 0;
    for (CCommandSettings* command : page.commands) {
        if (command->action.IsEmpty() || command->hidden)
            continue;
        if (kept < m_commandControls.Count()) {
            m_commandControls[kept++]->Rebind(command);
            continue;
        }
        auto* control = new CCommandControl(command);
        m_commandControls.Add(control);
        if (wait)
            control->Prepare(&m_host);
        else
            control->Create(&m_host);
        ++kept;
    }
    while (m_commandControls.Count() > kept) {
        const std::unique_ptr<CCommandControl> surplus(m_commandControls.RemoveLast());
        ZYR::DestroyWindowIfAlive(*surplus);
    }
    for (CCommandSettings* command : page.commands) {
        if (!command->action.IsEmpty() || command->hidden)
            continue;
        auto* control = new CCommentControl(command, &m_host);
        m_commentControls.Add(control);
        if (wait)
            control->Prepare();
        else
            control->Create();
    }
}

void CPageControls::DrawWaiting(HDC canvas, int width, bool mirrored, HRGN within) const
{
    // In the order their windows will have from the bottom up: the last made lowest.
    const auto drawAt = [&](const CCommandSettings& command, void (*draw)(HDC, void*), void* control) {
        const RECT area = command.WaitingClientArea();
        // The region is in the window's own coordinates, mirrored with it; the canvas is not.
        const RECT own{command.rect.left, command.rect.top,
                       PageLayout::Saturated(std::int64_t{command.rect.left} + area.right),
                       PageLayout::Saturated(std::int64_t{command.rect.top} + area.bottom)};
        const int left = mirrored ? PageLayout::Saturated(std::int64_t{width} - own.right) : own.left;
        const RECT placed{left, own.top, PageLayout::Saturated(std::int64_t{left} + area.right), own.bottom};
        if (RectInRegion(within, &own))
            ZYR::PrintInPlace(canvas, placed, mirrored, draw, control);
    };
    for (int i = m_commentControls.Count() - 1; i >= 0; --i)
        if (CCommentControl* label = m_commentControls[i]; label->IsWaitingForWindow())
            drawAt(
                label->Settings(), [](HDC dc, void* it) { static_cast<CCommentControl*>(it)->Draw(dc); }, label);
    for (int i = m_commandControls.Count() - 1; i >= 0; --i)
        if (CCommandControl* command = m_commandControls[i]; command->IsWaitingForWindow())
            drawAt(
                command->Settings(), [](HDC dc, void* it) { static_cast<CCommandControl*>(it)->Draw(dc); }, command);
}

void CPageControls::HoverUnderPointer()
{
    POINT cursor{};
    if (!GetCursorPos(&cursor))
        return;
    const HWND under = WindowFromPoint(cursor);
    CCommandControl* over = nullptr;
    for (CCommandControl* command : m_commandControls)
        if (command->Handle() != nullptr && command->Handle() == under)
            over = command;
        else if (command->IsHovered())
            command->SendMessage(WM_MOUSELEAVE, 0, 0);
    if (over != nullptr) {
        ScreenToClient(under, &cursor);
        over->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
    }
}

void CPageControls::MakeWaiting()
{
    // Each is drawn already, or will be with the page: its window paints nothing more.
    for (CCommandControl* control : m_commandControls)
        if (control->IsWaitingForWindow()) {
            control->Create(&m_host);
            ::ValidateRect(control->Handle(), nullptr);
        }
    for (CCommentControl* control : m_commentControls)
        if (control->IsWaitingForWindow()) {
            control->Create();
            ::ValidateRect(control->Handle(), nullptr);
        }
}
