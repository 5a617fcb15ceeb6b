#include "CommentControl.h"

#include "AutoRunStrings.h"
#include "ControlClasses.h"
#include "ControlHost.h"
#include "DC.h"
#include "GdiGlobals.h"
#include "HighContrast.h"
#include "Win32Rect.h"

#include <oleacc.h>

ZYR_BEGIN_MESSAGE_MAP(CCommentControl, ZYR::CWindow)
    ZYR_ON_CREATE(OnCreateControl)
    ZYR_ON_DRAW(Draw)
    ZYR_ON_UINT(WM_GETDLGCODE, OnGetDlgCode)
    ZYR_ON_MESSAGE(WM_GETOBJECT, OnGetObject)
ZYR_END_MESSAGE_MAP(ZYR::CWindow)

CCommentControl::CCommentControl(CCommandSettings* settings, CControlHost* host) : m_settings(settings), m_host(host) {}

CCommentControl::~CCommentControl() = default;

void CCommentControl::Prepare()
{
    m_font.CreateFontW(m_settings->fontSize, m_settings->underlined, m_settings->fontName);
    m_textColor = m_settings->notSelectedColor;
}

void CCommentControl::Create()
{
    if (m_font.IsEmpty())
        Prepare();
    CreateEx(0, ControlClasses::commentControl, m_settings->text, WS_CHILD | WS_VISIBLE, ToRect(m_settings->rect),
             &m_host->HostWindow(), ControlClasses::kControlId);
}

int CCommentControl::OnCreateControl(CREATESTRUCTW*)
{
    const int result = static_cast<int>(Default());
    m_cursor.LoadSystemCursor(IDC_ARROW);
    SetCursor(m_cursor.Get());
    return result;
}

void CCommentControl::Draw(HDC target)
{
    SetBkMode(target, TRANSPARENT);
    ZYR::CSelectObjectGuard font(target, m_font.Handle());
    const COLORREF previous = SetTextColor(target, HighContrast::IsOn() ? HighContrast::Unusable() : m_textColor);
    RECT client = IsWaitingForWindow() ? m_settings->WaitingClientArea() : GetClientRect();
    DrawTextW(target, m_settings->text.W(), -1, &client,
              (m_settings->centered ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK) |
                  ZYR::TextReadingOrder(target));
    SetTextColor(target, previous);
}

LRESULT CCommentControl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT))
        if (const LRESULT answer = m_accessible.Answer(Handle(), *this, wParam))
            return answer;
    // Without an object of its own, the system's static proxy stands for it.
    if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_QUERYCLASSNAMEIDX))
        return ControlClasses::kActsAsStatic;
    return DefWindowProc(WM_GETOBJECT, wParam, lParam);
}

ZYR::CAccessibleFacts CCommentControl::AccessibleFacts() const
{
    ZYR::CAccessibleFacts facts;
    facts.name = m_settings->text;
    facts.role = ROLE_SYSTEM_STATICTEXT;
    return facts;
}
