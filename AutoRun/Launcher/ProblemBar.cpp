#include "ProblemBar.h"

#include "ControlClasses.h"
#include "DC.h"

ZYR_BEGIN_MESSAGE_MAP(CProblemBar, ZYR::CWindow)
    ZYR_ON_DRAW(Draw)
ZYR_END_MESSAGE_MAP(ZYR::CWindow)

namespace {

// The system's stock font for user interfaces: owned by the system, never deleted.
HFONT BarFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

BOOL CALLBACK ClipSibling(HWND child, LPARAM bar)
{
    if (child != reinterpret_cast<HWND>(bar))
        SetWindowLongW(child, GWL_STYLE, GetWindowLongW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
    return TRUE;
}

} // namespace

void CProblemBar::Show(ZYR::CWindow& parent, const TObj::CUnicodeString& text)
{
    m_text = text;
    const RECT client = parent.GetClientRect();
    RECT measured{kPadding, 0, client.right - kPadding, 0};
    {
        const ZYR::CWindowDC dc(parent.Handle());
        ZYR::CSelectObjectGuard font(dc.Get(), BarFont());
        DrawTextW(dc.Get(), m_text.W(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const RECT placed{0, 0, client.right, measured.bottom + 2 * kPadding};
    if (Handle() == nullptr)
        CreateEx(0, ControlClasses::commentControl, TObj::CUnicodeString(), WS_CHILD, placed, &parent, 0);
    ZYR::SetWindowTextW(Handle(), m_text);
    // The commands under the bar must not draw over it when they change state.
    EnumChildWindows(parent.Handle(), ClipSibling, reinterpret_cast<LPARAM>(Handle()));
    SetWindowPos(HWND_TOP, placed.left, placed.top, placed.right, placed.bottom, SWP_SHOWWINDOW);
    Invalidate(true);
}

void CProblemBar::Hide()
{
    m_text = TObj::CUnicodeString();
    if (Handle() != nullptr)
        DestroyWindow();
}

void CProblemBar::Draw(HDC target)
{
    RECT client = GetClientRect();
    SetBkColor(target, RGB(150, 20, 20));
    ExtTextOutW(target, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, RGB(255, 255, 255));
    ZYR::CSelectObjectGuard font(target, BarFont());
    InflateRect(&client, -kPadding, -kPadding);
    DrawTextW(target, m_text.W(), -1, &client, DT_WORDBREAK | DT_NOPREFIX);
}
