#include "CommandControl.h"

#include "Bitmap.h"
#include "Brush.h"
#include "ControlClasses.h"
#include "ControlHost.h"
#include "DC.h"
#include "Errors.h"
#include "FileSystem.h"
#include "GdiGlobals.h"
#include "HighContrast.h"
#include "LauncherReportPlaces.h"
#include "PageAction.h"
#include "PageLayout.h"
#include "PageOutlines.h"
#include "ProgramPaths.h"
#include "ShellRequests.h"
#include "Win32Rect.h"

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

using TObj::CUnicodeString;

CCommandControl* CCommandControl::s_hovered = nullptr;

ZYR_BEGIN_MESSAGE_MAP(CCommandControl, ZYR::CWindow)
    ZYR_ON_CREATE(OnCreateControl)
    ZYR_ON_MESSAGE(WM_DESTROY, OnDestroyControl)
    ZYR_ON_DRAW(Draw)
    ZYR_ON_UINT(WM_GETDLGCODE, OnGetDlgCode)
    ZYR_ON_KEY(WM_KEYDOWN, OnKeyDown)
    ZYR_ON_FOCUS(WM_SETFOCUS, OnSetFocus)
    ZYR_ON_FOCUS(WM_KILLFOCUS, OnKillFocus)
    ZYR_ON_SETCURSOR(OnSetCursor)
    ZYR_ON_POINT(WM_MOUSEMOVE, OnMouseMove)
    ZYR_ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ZYR_ON_POINT(WM_LBUTTONDOWN, OnLButtonDown)
    ZYR_ON_POINT(WM_LBUTTONUP, OnLButtonUp)
    ZYR_ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ZYR_ON_MESSAGE(BM_CLICK, OnClick)
ZYR_END_MESSAGE_MAP(ZYR::CWindow)

CCommandControl::CCommandControl(CCommandSettings* settings) : m_settings(settings) { MakeBrushes(); }

void CCommandControl::MakeBrushes()
{
    for (int state = 0; state < 3; ++state) {
        m_backgroundBrushes[state].Delete();
        if (m_settings->hasColors)
            m_backgroundBrushes[state].CreateSolidBrush(m_settings->colors[state]);
        m_borderBrushes[state].Delete();
        m_borderBrushes[state].CreateSolidBrush(m_settings->borderColors[state]);
    }
}

void CCommandControl::MakeFonts()
{
    m_textFont.Delete();
    m_hintFont.Delete();
    m_textFont.CreateFontW(m_settings->fontSize, m_settings->underlined, m_settings->fontName);
    m_hintFont.CreateFontW(m_settings->hintFontSize, m_settings->underlined, m_settings->fontName);
}

// A page switch gives the controls it keeps the new page's commands: each then is what a
// control made for its command would be, without the cost of a new window. Fonts, brushes,
// text and place that stay the same are kept: pages of one disc mostly share them, and
// under Wine each is a noticeable part of a switch.
void CCommandControl::Rebind(CCommandSettings* settings)
{
    // Only a pressed control holds the mouse (asking costs a server call under Wine).
    if (m_pressed && ::GetCapture() == Handle())
        ReleaseCapture();
    if (s_hovered == this)
        s_hovered = nullptr;
    m_pressed = false;
    m_tracking = false;
    ZYR::DestroyWindowIfAlive(m_tooltip);
    const CCommandSettings& old = *m_settings;
    const bool sameFonts = old.fontSize == settings->fontSize && old.hintFontSize == settings->hintFontSize &&
                           old.underlined == settings->underlined && old.fontName == settings->fontName;
    const bool sameBrushes = old.hasColors == settings->hasColors &&
                             std::equal(old.colors, old.colors + 3, settings->colors) &&
                             std::equal(old.borderColors, old.borderColors + 3, settings->borderColors);
    const bool sameText = old.text == settings->text;
    const CPageRect& r = settings->rect;
    const bool samePlace = old.rect == r;
    m_settings = settings;
    // A kept control may change from a usable command to an unusable one, and back.
    if (Handle() != nullptr) {
        const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        SetWindowLongPtrW(Handle(), GWL_STYLE, settings->disabled ? style & ~WS_TABSTOP : style | WS_TABSTOP);
    }
    if (!sameBrushes)
        MakeBrushes();
    if (!sameFonts)
        MakeFonts();
    m_selectedColor = settings->selectedColor;
    m_notSelectedColor = settings->notSelectedColor;
    if (!sameText)
        ZYR::ReplaceWindowTextW(Handle(), settings->text);
    if (!samePlace)
        SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

CCommandControl::~CCommandControl()
{
    if (s_hovered == this)
        s_hovered = nullptr;
}

void CCommandControl::Prepare(CControlHost* host)
{
    m_host = host;
    MakeFonts();
    m_selectedColor = m_settings->selectedColor;
    m_notSelectedColor = m_settings->notSelectedColor;
}

void CCommandControl::Create(CControlHost* host)
{
    if (m_host == nullptr)
        Prepare(host);
    CreateEx(0, ControlClasses::commandControl, m_settings->text,
             WS_CHILD | WS_VISIBLE | (m_settings->disabled ? 0 : WS_TABSTOP), ToRect(m_settings->rect),
             &host->HostWindow(), ControlClasses::kControlId);
}

// A tooltip window is costly to make and to destroy, and a page switch would do both for
// every command: it is made when the command is first hovered or focused, and only for a
// command that has a Tooltip.
void CCommandControl::EnsureTooltip(const MSG* trigger)
{
    if (m_tooltip.Handle() != nullptr || m_settings->tooltip.IsEmpty())
        return;
    m_tooltip.Create(TTS_ALWAYSTIP, this);
    // A tooltip with a width keeps the text's line breaks; this one is wider than any
    // line a tooltip should have, so it never wraps one itself.
    constexpr LPARAM kTooltipWidth = 1000;
    m_tooltip.SendMessage(TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
    m_tooltip.AddTool(this, this, m_settings->tooltip);
    // The tooltip watches the mouse from now on; the move that made it is passed on, so
    // that the first hover shows the text like every later one.
    if (trigger != nullptr)
        m_tooltip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(trigger));
}

void CCommandControl::DestroyWindow()
{
    ZYR::DestroyWindowIfAlive(m_tooltip);
    ZYR::CWindow::DestroyWindow();
}

int CCommandControl::OnCreateControl(CREATESTRUCTW*)
{
    m_hand.LoadSystemCursor(IDC_HAND);
    m_arrow.LoadSystemCursor(IDC_ARROW);
    SetCursor(m_arrow.Get());
    return 0;
}

LRESULT CCommandControl::OnDestroyControl(WPARAM, LPARAM)
{
    if (s_hovered == this)
        s_hovered = nullptr;
    m_accessible = ZYR::CAccessibleObject();
    return Default();
}

int CCommandControl::VisualState() const
{
    if (m_settings->disabled)
        return CCommandSettings::kNormal;
    if (m_pressed)
        return CCommandSettings::kClick;
    return IsHovered() ? CCommandSettings::kHover : CCommandSettings::kNormal;
}

void CCommandControl::Redraw()
{
    m_host->HostWindow().InvalidateRect(ToRect(m_settings->rect), true);
    Invalidate(true);
}

void CCommandControl::Draw(HDC dc)
{
    using PageLayout::Saturated;
    const RECT client = IsWaitingForWindow() ? m_settings->WaitingClientArea() : GetClientRect();
    const std::int64_t border = m_settings->borderWidth;
    const RECT inner{Saturated(border), Saturated(border), Saturated(client.right - border),
                     Saturated(client.bottom - border)};
    const PageLayout::CTextArea& area = m_settings->textArea;
    RECT text{area.left, area.top, area.right, area.bottom};
    const int state = VisualState();
    // In high contrast the theme's colours replace the page's, and no picture lies behind a
    // text: the command under the pointer or the focus in the highlight colours, one that
    // cannot be used in the grey-text colour, each framed in the text colour.
    const bool contrast = HighContrast::IsOn();
    const bool highlighted = !m_settings->disabled && (state != CCommandSettings::kNormal || m_focused);
    if (contrast) {
        ZYR::CBrush fill;
        fill.CreateSolidBrush(highlighted ? HighContrast::Highlight() : HighContrast::Window());
        FillRect(dc, &client, fill.Get());
        ZYR::FrameInColour(dc, client, HighContrast::Text());
    } else {
        if (border > 0)
            FillRect(dc, &client, m_borderBrushes[state].Get());
        if (m_settings->hasColors)
            FillRect(dc, &inner, m_backgroundBrushes[state].Get());
        if (m_settings->hasPictures) {
            ZYR::CStretchedPictures& pictures = m_host->StretchedPictures();
            const int mode = pictures.Depth(dc) == 16 ? COLORONCOLOR : HALFTONE;
            // A picture that cannot be decoded has been reported; its command shows its normal one.
            const std::shared_ptr<const ZYR::CBitmap> picture = m_settings->pictures[state]->Decoded();
            pictures.Draw(picture != nullptr ? picture : m_settings->pictures[CCommandSettings::kNormal]->Decoded(), dc,
                          inner, mode);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    ZYR::CSelectObjectGuard font(dc, m_textFont.Handle());
    const COLORREF textColour = !contrast              ? (IsHovered() ? m_selectedColor : m_notSelectedColor)
                                : m_settings->disabled ? HighContrast::Unusable()
                                : highlighted          ? HighContrast::HighlightText()
                                                       : HighContrast::Text();
    const COLORREF previous = SetTextColor(dc, textColour);
    const UINT readingOrder = ZYR::TextReadingOrder(dc);
    const UINT flags = readingOrder | (m_settings->centered          ? DT_CENTER | DT_VCENTER | DT_SINGLELINE
                                       : !m_settings->hint.IsEmpty() ? DT_SINGLELINE
                                                                     : DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    RECT drawn = text;
    const int height = DrawTextW(dc, m_settings->text.W(), -1, &drawn, flags);
    const SIZE extent = ZYR::GetTextExtent(dc, m_settings->text);
    RECT focus{text.left, text.top, Saturated(std::int64_t{text.left} + std::min<LONG>(extent.cx, text.right)),
               Saturated(std::int64_t{text.top} + std::max<LONG>(height, extent.cy))};
    if (m_settings->centered) {
        const auto middle = [](LONG a, LONG b) { return (std::int64_t{a} + b) / 2; };
        const std::int64_t dx = middle(text.left, text.right) - middle(focus.left, focus.right);
        const std::int64_t dy = middle(text.top, text.bottom) - middle(focus.top, focus.bottom);
        focus = RECT{Saturated(focus.left + dx), Saturated(focus.top + dy), Saturated(focus.right + dx),
                     Saturated(focus.bottom + dy)};
    }
    if (m_focused && !contrast) {
        DrawFocusRect(dc, &focus);
    } else if (m_focused) {
        // A dotted frame drawn by inverting is hard to see on the theme's colours.
        ZYR::FrameInColour(dc, focus, textColour, 2);
    }
    if (!m_settings->hint.IsEmpty()) {
        ZYR::CSelectObjectGuard hintFont(dc, m_hintFont.Handle());
        RECT hint{text.left, Saturated(std::int64_t{m_settings->hintMargin} + extent.cy), text.right, text.bottom};
        DrawTextW(dc, m_settings->hint.W(), -1, &hint,
                  DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK | readingOrder | (m_settings->centered ? DT_CENTER : 0));
    }
    SetTextColor(dc, previous);
    if (m_host->ShowsOutlines()) {
        ZYR::FrameInColour(dc, client, PageOutlines::kCommand);
        ZYR::FrameInColour(dc, text, PageOutlines::kTextArea);
    }
}

UINT CCommandControl::OnGetDlgCode()
{
    TOBJ_ASSERT(ZYR::CurrentMessage().message == WM_GETDLGCODE, Places::kDlgCodeForOtherMessage);
    const auto* asked = reinterpret_cast<const MSG*>(ZYR::CurrentMessage().lParam);
    if (asked != nullptr && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN)
        return DLGC_WANTALLKEYS;
    return DLGC_DEFPUSHBUTTON;
}

void CCommandControl::OnKeyDown(UINT key, UINT, UINT flags)
{
    // Held down, a key repeats; the action runs only for the first press.
    const bool repeated = (flags & KF_REPEAT) != 0;
    if ((key == VK_RETURN || key == VK_SPACE) && !repeated)
        RunAction(true);
}

void CCommandControl::OnSetFocus(ZYR::CWindow*)
{
    m_focused = true;
    EnsureTooltip(nullptr);
    Redraw();
    if (s_hovered == nullptr)
        m_host->SetComment(m_settings->comment);
    Default();
}

void CCommandControl::OnKillFocus(ZYR::CWindow*)
{
    m_focused = false;
    Redraw();
    Default();
}

CUnicodeString CCommandControl::FocusedComment() const
{
    const HWND focus = ::GetFocus();
    auto* focused = dynamic_cast<CCommandControl*>(ZYR::CWindow::FromHandlePermanent(focus));
    return focused != nullptr ? focused->m_settings->comment : CUnicodeString();
}

void CCommandControl::OnMouseMove(UINT flags, int x, int y)
{
    if (m_tooltip.Handle() == nullptr && !m_settings->tooltip.IsEmpty()) {
        POINT screen{x, y};
        ClientToScreen(Handle(), &screen);
        const MSG trigger{Handle(), WM_MOUSEMOVE, flags, MAKELPARAM(x, y), static_cast<DWORD>(GetMessageTime()),
                          screen};
        EnsureTooltip(&trigger);
    }
    if (!m_tracking) {
        TrackMouseEvent(TME_LEAVE, HOVER_DEFAULT);
        m_tracking = true;
    }
    const RECT client = GetClientRect();
    const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
    if (inside == IsHovered())
        return;
    s_hovered = IsHovered() ? nullptr : this;
    Redraw();
    if (IsHovered()) {
        SetCursor(m_hand.Get());
        m_host->SetComment(m_settings->comment);
        // The command under the pointer is the one a screen reader's mouse echo reads.
        NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, CHILDID_SELF);
    } else {
        SetCursor(m_arrow.Get());
        m_host->SetComment(FocusedComment());
    }
}

LRESULT CCommandControl::OnMouseLeave(WPARAM, LPARAM)
{
    m_tracking = false;
    // Wine sends the notice while the button is held too; dragging off and back keeps the
    // pressed look until the release.
    if (::GetCapture() != Handle())
        m_pressed = false;
    // A notice that comes late, after the pointer went straight onto another command,
    // must not take the hover (and with it the next click) from that command.
    if (IsHovered())
        s_hovered = nullptr;
    Redraw();
    if (s_hovered == nullptr)
        m_host->SetComment(FocusedComment());
    return 0;
}

void CCommandControl::OnLButtonDown(UINT, int, int)
{
    if (m_settings->disabled)
        return;
    m_pressed = true;
    SetCapture(Handle());
    Redraw();
}

void CCommandControl::OnLButtonUp(UINT, int, int)
{
    if (::GetCapture() != Handle())
        return;
    m_pressed = false;
    const bool run = IsHovered();
    // The capture goes first: the action may show a message or switch the page.
    ReleaseCapture();
    // The capture kept the pointer's moves elsewhere, and may have eaten the leave notice:
    // the hover follows the pointer now, and the next move onto this command asks for the
    // notice again. The pressed look goes whatever the action does.
    m_tracking = false;
    Redraw();
    m_host->HoverUnderPointer();
    if (run)
        RunAction();
}

LRESULT CCommandControl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT))
        if (const LRESULT answer = m_accessible.Answer(Handle(), *this, wParam))
            return answer;
    // Without an object of its own, the system's button proxy stands for it.
    if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_QUERYCLASSNAMEIDX))
        return ControlClasses::kActsAsButton;
    return DefWindowProc(WM_GETOBJECT, wParam, lParam);
}

ZYR::CAccessibleFacts CCommandControl::AccessibleFacts() const
{
    ZYR::CAccessibleFacts facts;
    facts.name = m_settings->text;
    facts.description = m_settings->comment;
    // The name Windows' own button proxy gives a push button's action.
    facts.defaultAction = TObj::CUnicodeString(u"Press");
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    // An unusable command is no tab stop, so a reader cannot move the focus to it either.
    facts.focusable = !m_settings->disabled;
    facts.hot = IsHovered();
    facts.unavailable = m_settings->disabled;
    return facts;
}

// As the button proxy does: the click comes after the client's call has returned, so that an
// action that opens a window or switches the page does not run inside it.
void CCommandControl::StartDefaultAction() { PostMessageW(Handle(), BM_CLICK, 0, 0); }

// A screen reader's default action on a button, which the button proxy sends: a click.
LRESULT CCommandControl::OnClick(WPARAM, LPARAM)
{
    RunAction();
    return 0;
}

// The action text decides by its form alone what happens.
void CCommandControl::RunAction(bool byKeyboard)
{
    if (m_settings->disabled)
        return;
    // Own references: the effect may delete this control and rebuild the page.
    const CPageAction action = CPageAction::Of(m_settings->action);
    const CUnicodeString parameters = m_settings->actionParameters;
    CControlHost* main = m_host;
    const HWND owner = main->HostWindow().Handle();
    CShellRequests& shell = CShellRequests::Current();

    switch (action.kind) {
    case EActionKind::None: break;
    case EActionKind::Exit: main->GoBack(false); break;
    case EActionKind::Back: main->GoBack(true); break;
    case EActionKind::Close: main->DestroyWindow(); break;
    case EActionKind::Folder: shell.Open(owner, TObj::PathRoot(TObj::GetCurrentFolder()), nullptr); break;
    case EActionKind::FileUrl: {
        const CUnicodeString url = u"\"file://" + action.PathBelow(TObj::GetProgramFolder()) + u"\"";
        shell.Open(owner, CUnicodeString(u"explorer"), &url);
        break;
    }
    case EActionKind::ExtCommand: shell.Open(owner, action.target, &parameters); break;
    case EActionKind::Page: main->GoToPage(action.target, byKeyboard ? this : nullptr); break;
    case EActionKind::WebAddress:
    case EActionKind::File: {
        const bool web = action.kind == EActionKind::WebAddress;
        const CUnicodeString target = web ? action.target : action.PathBelow(TObj::GetProgramFolder());
        const INT_PTR result = shell.Open(owner, target, &parameters);
        if (result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE) {
            const CUnicodeString chooser = u"shell32,OpenAs_RunDLL " + target;
            shell.Open(owner, CUnicodeString(u"RunDll32.exe"), &chooser);
        }
        break;
    }
    }
}
