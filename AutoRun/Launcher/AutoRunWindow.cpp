#include "AutoRunWindow.h"

#include "Brush.h"
#include "CatchFailure.h"
#include "CommandControl.h"
#include "DC.h"
#include "Errors.h"
#include "GdiGlobals.h"
#include "HighContrast.h"
#include "Languages.h"
#include "LauncherMedium.h"
#include "LauncherReportPlaces.h"
#include "MessageLoop.h"
#include "MonitorDpi.h"
#include "PageFiles.h"
#include "PageLayout.h"
#include "PageOutlines.h"
#include "PageWatch.h"
#include "Region.h"
#include "ScopeExit.h"
#include "Settings.h"
#include "Win32Rect.h"
#include "ZyrFailure.h"

#include <windows.h>

#include <memory>
#include <utility>

using TObj::CUnicodeString;

namespace {

constexpr DWORD kStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Moves `rect` so that its centre lies on the centre of `target`, halves truncated.
RECT CentredOn(const RECT& rect, const RECT& target)
{
    const std::int64_t dx = (std::int64_t{target.left} + target.right) / 2 - (std::int64_t{rect.left} + rect.right) / 2;
    const std::int64_t dy = (std::int64_t{target.top} + target.bottom) / 2 - (std::int64_t{rect.top} + rect.bottom) / 2;
    return RECT{PageLayout::Saturated(rect.left + dx), PageLayout::Saturated(rect.top + dy),
                PageLayout::Saturated(rect.right + dx), PageLayout::Saturated(rect.bottom + dy)};
}

CSettings& Settings() { return *CSettings::Current(); }

// The extended styles of a window laid out and read right to left.
constexpr DWORD kRightToLeft = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

// Those the language of the pages read asks for.
DWORD ReadingDirection() { return TObj::IsRightToLeftLanguage(Settings().Language()) ? kRightToLeft : 0; }

} // namespace

ZYR_BEGIN_MESSAGE_MAP(CAutoRunWindow, ZYR::CFrameWindow)
    ZYR_ON_CREATE(OnCreateMain)
    ZYR_ON_VOID(WM_PAINT, OnPaint)
    ZYR_ON_PRINTCLIENT(Draw)
    ZYR_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ZYR_ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ZYR_ON_MESSAGE(CPageWatch::kFilesChanged, OnFilesChanged)
    ZYR_ON_MESSAGE(kFirstFrameShown, OnFirstFrameShown)
    ZYR_ON_MESSAGE(WM_TIMER, OnTimer)
    ZYR_ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChange)
    ZYR_ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ZYR_ON_MESSAGE(WM_NEXTDLGCTL, OnNextControl)
    ZYR_ON_MESSAGE(WM_PARENTNOTIFY, OnParentNotify)
    ZYR_ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
    ZYR_ON_MESSAGE(WM_SYSCOMMAND, OnSystemCommand)
    ZYR_ON_MESSAGE(WM_SETTINGCHANGE, OnThemeChange)
    ZYR_ON_MESSAGE(WM_SYSCOLORCHANGE, OnThemeChange)
ZYR_END_MESSAGE_MAP(ZYR::CFrameWindow)

CAutoRunWindow::CAutoRunWindow() : m_controls(*this) {}

CAutoRunWindow::~CAutoRunWindow()
{
    // The controls' windows went with the main window; only live ones are destroyed here.
    m_controls.Destroy();
}

// The dialog manager moves the focus by asking the window, as it would ask a dialog: a
// window with a true flag (the arrow keys), or the next or previous tab stop (wParam).
// Labels are no tab stops; an arrow that lands on one goes on in its direction.
LRESULT CAutoRunWindow::OnNextControl(WPARAM wParam, LPARAM lParam)
{
    const HWND focus = ::GetFocus();
    HWND target = nullptr;
    if (LOWORD(lParam) == 0) {
        target = GetNextDlgTabItem(Handle(), focus, wParam != 0);
    } else {
        target = reinterpret_cast<HWND>(wParam);
        const bool backwards = focus != nullptr && GetNextDlgGroupItem(Handle(), focus, TRUE) == target;
        for (int left = m_controls.Count();
             target != nullptr && target != focus && (GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP) == 0 && left > 0;
             --left)
            target = GetNextDlgGroupItem(Handle(), target, backwards);
    }
    if (target != nullptr && ::IsChild(Handle(), target) && (GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP) != 0)
        ::SetFocus(target);
    return 0;
}

void CAutoRunWindow::Create()
{
    CWindowSettings* page = Settings().GetWindow(Settings().StartWindowName());
    TOBJ_ASSERT(m_background == nullptr, Places::kBackgroundLoadedTwice);
    // Everything that can fail is loaded before the window exists, so a failure ends the
    // start with its message instead of leaving an empty window.
    const SIZE size = m_pictures.Load(*page, m_background, Places::kStartPictureLoad);
    // The icons wait for the first frame (OnFirstFrameShown), unless the file is plainly
    // no icon.
    m_icons.Prepare(Settings().GetIcon());
    m_page = page;
    const DWORD exStyle = WS_EX_COMPOSITED | ReadingDirection();
    const RECT frame = ZYR::AdjustWindowRectEx(RECT{0, 0, size.cx, size.cy}, kStyle, false, exStyle);
    const RECT work = ZYR::MonitorWorkArea(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST));
    RECT placed = CentredOn(frame, work);
    // A window larger than the work area keeps its title bar on it.
    if (placed.left < work.left)
        OffsetRect(&placed, work.left - placed.left, 0);
    if (placed.top < work.top)
        OffsetRect(&placed, 0, work.top - placed.top);
    {
        // The window is made visible, and so active: that activation needs no second decision
        // of the page's conditions, which were decided as it was read, just now.
        m_creating = true;
        const auto created = TObj::OnScopeExit([this] { m_creating = false; });
        ZYR::CFrameWindow::Create(nullptr, placed, kStyle, exStyle, nullptr, reinterpret_cast<HBRUSH>(-1));
    }
    m_languages.Add(Handle(), PageFiles::LanguageCodesOfDisc(Settings().Environment().launcherFolder),
                    Settings().Language());
    ::PostMessageW(Handle(), kFirstFrameShown, 0, 0);
}

int CAutoRunWindow::OnCreateMain(CREATESTRUCTW* create)
{
    const int result = OnCreate(create);
    RebuildControls();
    return result;
}

void CAutoRunWindow::SetComment(const CUnicodeString& text)
{
    m_comment = text.IsEmpty() && m_page != nullptr ? m_page->commentDefault : text;
    if (m_page != nullptr && Handle() != nullptr)
        InvalidateRect(ToRect(m_page->commentRect), true);
}

void CAutoRunWindow::RebuildControls()
{
    SetComment(CUnicodeString());
    if (m_commentFont.IsEmpty() || m_commentFontSize != m_page->commentFontSize ||
        m_commentFontName != m_page->commentFontName) {
        m_commentFont.Delete();
        m_commentFont.CreateFontW(m_page->commentFontSize, false, m_page->commentFontName);
        m_commentFontSize = m_page->commentFontSize;
        m_commentFontName = m_page->commentFontName;
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_commentFont.Get()), TRUE);
    }
    ShowTitle();
    // Controls are kept from page to page, so every one needs its window from now on.
    MakeWaitingControls();
    // Before the window shows (at start), the controls' windows wait for the first frame,
    // which the window draws with its controls in it.
    const bool wait = !IsWindowVisible(Handle());
    // Nothing here draws: kept controls move without redrawing, and what is made or
    // destroyed only marks areas to paint, which the next WM_PAINT of the whole page (the
    // caller invalidates it) covers in one pass. (Turning drawing off and on around this
    // took half the time of a switch under Wine, for no visible difference.)
    m_controls.Show(*m_page, wait);
    SetFocus();
}

void CAutoRunWindow::ShowPage(CWindowSettings* page, CPicture picture, SIZE size, const RECT* around)
{
    m_page = page;
    m_background = std::move(picture);
    const RECT current = around != nullptr ? *around : GetWindowRect();
    const RECT frame = ZYR::CMonitorDpi::Frame(RECT{0, 0, size.cx, size.cy}, Style(), ExStyle(), Handle());
    RECT placed = CentredOn(frame, current);
    if (!EqualRect(&placed, &current)) {
        // A monitor left of or above the primary one has negative coordinates: a window moved
        // there keeps them.
        if (placed.left < 0 && around == nullptr)
            OffsetRect(&placed, -placed.left, 0);
        if (placed.top < 0 && around == nullptr)
            OffsetRect(&placed, 0, -placed.top);
        SetWindowPos(HWND_TOP, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, 0);
    }
    RebuildControls();
    Invalidate(true);
    // The pointer has not moved, but what lies under it has.
    HoverUnderPointer();
    // The system tells screen readers of a focus that moves (to a command, say); a window
    // that keeps it while its page changes says so itself.
    NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void CAutoRunWindow::GoToPage(const CUnicodeString& name, const CCommandControl* byKeyboard)
{
    CWindowSettings* page = Settings().GetWindow(name);
    CPicture picture;
    const SIZE size = m_pictures.Load(*page, picture, Places::kSwitchPictureLoad);
    int focus = -1;
    for (int i = 0; i < m_controls.Commands().Count(); ++i)
        if (m_controls.Commands()[i] == byKeyboard)
            focus = i;
    m_history.push_back({m_page, focus});
    ShowPage(page, std::move(picture), size);
    DecideAgain();
}

void CAutoRunWindow::DecideAgain()
{
    // Pages that cannot be read again (the disc went) stay as they were decided.
    if (m_page != nullptr && Settings().DecisionsChanged(*m_page))
        TObj::IgnoreFailure([this] { ReadPagesAgain(); });
}

LRESULT CAutoRunWindow::OnSystemCommand(WPARAM command, LPARAM lParam)
{
    const int code = m_languages.LanguageOf(command);
    if (code < 0)
        return DefWindowProc(WM_SYSCOMMAND, command, lParam);
    SwitchLanguage(code);
    return 0;
}

void CAutoRunWindow::SwitchLanguage(int code)
{
    const int previous = Settings().ChosenLanguage();
    Settings().ChooseLanguage(code);
    m_history.clear();
    try {
        Rebuild(Settings().DpiY(), nullptr, false);
    } catch (TObj::CException*) {
        Settings().ChooseLanguage(previous);
        throw;
    }
    ApplyReadingDirection();
    m_languages.Check(Handle(), Settings().Language());
}

void CAutoRunWindow::ApplyReadingDirection()
{
    const DWORD wanted = ReadingDirection();
    const DWORD style = ExStyle();
    if ((style & kRightToLeft) == wanted)
        return;
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, (style & ~kRightToLeft) | wanted);
    // Controls take their parent's layout when they are made.
    m_controls.Destroy();
    RebuildControls();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT CAutoRunWindow::OnThemeChange(WPARAM, LPARAM)
{
    // High contrast turned on or off, or its colours changed: the page follows at once.
    HighContrast::Refresh();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return 0;
}

LRESULT CAutoRunWindow::OnActivateApp(WPARAM active, LPARAM)
{
    // Back from another program (an installer that has just ended): what it changed shows.
    if (active != FALSE && !m_creating)
        DecideAgain();
    return 0;
}

LRESULT CAutoRunWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
    const int dpi = HIWORD(wParam);
    if (dpi == Settings().DpiY()) {
        SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    // A page file that cannot be read again now: the page stays as it was drawn.
    TObj::ReportFailure([&] { Rebuild(dpi, &suggested, true); });
    return 0;
}

void CAutoRunWindow::Rebuild(int dpi, const RECT* around, bool keepPictures)
{
    // What the user has, by name and place, for the pages read again.
    const CUnicodeString shown = m_page->name;
    std::vector<std::pair<CUnicodeString, int>> history;
    for (const CVisit& visit : m_history)
        history.emplace_back(visit.page->name, visit.focus);
    int focused = -1;
    for (int i = 0; i < m_controls.Commands().Count(); ++i)
        if (::GetFocus() == m_controls.Commands()[i]->Handle())
            focused = i;
    // The old pages live until the end of this function: the controls point into them until
    // they are given the new ones.
    CSettings::CPages retired = Settings().Reload(dpi);
    // Pictures are in pixels whatever the DPI: at a DPI change the decoded ones serve the new
    // pages. Otherwise the page's picture is read again. A page gone from the files gives
    // way to the start page; when that is gone too, or the picture cannot be read, the old
    // pages are put back and nothing has changed.
    CPagePictures pictures = m_pictures.ForPagesOf(Settings(), keepPictures);
    std::swap(pictures, m_pictures);
    CWindowSettings* page = Settings().WindowNamed(shown);
    CPicture picture;
    SIZE size{};
    try {
        if (page == nullptr)
            page = Settings().GetWindow(Settings().StartWindowName());
        size = m_pictures.Load(*page, picture, Places::kSwitchPictureLoad);
    } catch (TObj::CException*) {
        std::swap(pictures, m_pictures);
        Settings().PutBack(std::move(retired));
        throw;
    }
    m_history.clear();
    for (const auto& [name, focus] : history)
        if (CWindowSettings* previous = Settings().WindowNamed(name))
            m_history.push_back({previous, focus});
    ShowPage(page, std::move(picture), size, around);
    FocusCommand(focused);
}

void CAutoRunWindow::FocusCommand(int index)
{
    if (index >= 0 && index < m_controls.Commands().Count())
        m_controls.Commands()[index]->SetFocus();
}

CPageWatch& CAutoRunWindow::Watch(std::unique_ptr<CPageWatch> watch)
{
    m_watch = std::move(watch);
    m_watch->Start();
    // Only now: whoever waits for this title may save and be seen.
    ShowTitle();
    return *m_watch;
}

void CAutoRunWindow::ReadPagesAgain() { Rebuild(Settings().DpiY(), nullptr, false); }

void CAutoRunWindow::ShowTitle()
{
    ZYR::SetWindowTextW(Handle(), m_watch != nullptr ? m_page->title + CUnicodeString(CPageWatch::kWatchingTitle)
                                                     : m_page->title);
}

LRESULT CAutoRunWindow::OnFilesChanged(WPARAM, LPARAM)
{
    if (m_watch != nullptr)
        m_watch->OnFilesChanged();
    return 0;
}

LRESULT CAutoRunWindow::OnTimer(WPARAM id, LPARAM)
{
    if (m_watch != nullptr)
        m_watch->OnTimer(id);
    return 0;
}

void CAutoRunWindow::GoBack(bool emptyHistoryIsError)
{
    if (m_history.empty()) {
        if (emptyHistoryIsError)
            TObj::GenerateInternalError(TObj::kAssertion, Places::kBackOnFirstPage);
        DestroyWindow();
        return;
    }
    const CVisit visit = m_history.back();
    CPicture picture;
    const SIZE size = m_pictures.Load(*visit.page, picture, Places::kSwitchPictureLoad);
    m_history.pop_back();
    ShowPage(visit.page, std::move(picture), size);
    FocusCommand(visit.focus);
    DecideAgain();
}

// The commands and labels are drawn into the page's picture and go onto the screen with it,
// in one copy: each window painting itself costs a surface update of its own (under Wine
// a third of a page switch). What they were drawn in is taken from their own update
// regions.
void CAutoRunWindow::OnPaint()
{
    ZYR::CRegion update;
    update.CreateRect(RECT{0, 0, 0, 0});
    const bool withControls = GetUpdateRgn(Handle(), update.Get(), FALSE) != ERROR;
    const ZYR::CPaintDC paint(Handle());
    DrawPage(paint.Get(), withControls ? update.Get() : nullptr);
}

void CAutoRunWindow::Draw(HDC target) { DrawPage(target, nullptr); }

void CAutoRunWindow::DrawPage(HDC target, HRGN controlsWithin)
{
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    // One bitmap, one blit: the page never flickers while it is drawn. The bitmap holds the
    // page as the screen shows it and is copied pixel for pixel, whatever the target's
    // layout: a right-to-left page is laid out mirrored, with its texts readable, on the
    // screen and in a render alike.
    ZYR::CMemoryDC canvas(target);
    ZYR::CBitmap buffer;
    buffer.CreateCompatibleBitmap(target, width, height);
    ZYR::CSelectObjectGuard selectBuffer(canvas.Get(), buffer.Handle());
    const DWORD targetLayout = SetLayout(target, 0);
    const auto restoreLayout = TObj::OnScopeExit([target, targetLayout] {
        if (targetLayout != GDI_ERROR)
            SetLayout(target, targetLayout);
    });
    // The page's colour or picture covers the whole client area (the window takes the
    // picture's size); only a page with neither keeps what the window showed.
    // In high contrast the theme's window colour stands for the page's colour, and no
    // picture lies behind the texts.
    const bool contrast = HighContrast::IsOn();
    const ZYR::CBitmap* const pagePicture = contrast ? nullptr : m_background.get();
    const std::uint32_t pageColour = contrast ? HighContrast::Window() : m_page->backgroundColor;
    if (pagePicture == nullptr && pageColour == kNoColor)
        BitBlt(canvas.Get(), 0, 0, width, height, target, 0, 0, SRCCOPY);
    if ((ExStyle() & WS_EX_LAYOUTRTL) != 0)
        SetLayout(canvas.Get(), LAYOUT_RTL);
    if (pageColour != kNoColor) {
        ZYR::CBrush fill;
        fill.CreateSolidBrush(pageColour);
        FillRect(canvas.Get(), &client, fill.Get());
    }
    if (pagePicture != nullptr && pagePicture->HasAlpha()) {
        // What a page picture leaves transparent shows the colour of a window's client area.
        FillRect(canvas.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
        ZYR::DrawPicture(*pagePicture, canvas.Get(), client, COLORONCOLOR);
    } else if (pagePicture != nullptr) {
        ZYR::CBitmapDC picture(pagePicture->Get(), canvas.Get());
        SetStretchBltMode(canvas.Get(), COLORONCOLOR);
        BitBlt(canvas.Get(), client.left, client.top, width, height, picture.Get(), 0, 0, ZYR::kPictureCopy);
    }
    SetBkMode(canvas.Get(), TRANSPARENT);
    ZYR::CSelectObjectGuard selectFont(canvas.Get(), m_commentFont.Handle());
    SetTextColor(canvas.Get(), contrast ? HighContrast::Text() : m_page->commentColor);
    RECT commentRect = ToRect(m_page->commentRect);
    DrawTextW(canvas.Get(), m_comment.W(), -1, &commentRect,
              DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK | ZYR::TextReadingOrder(canvas.Get()));
    if (m_outlines)
        ZYR::FrameInColour(canvas.Get(), ToRect(m_page->commentRect), PageOutlines::kComment);
    selectFont.Restore();
    SetLayout(canvas.Get(), 0);
    if (controlsWithin != nullptr) {
        m_controls.DrawWaiting(canvas.Get(), width, (ExStyle() & WS_EX_LAYOUTRTL) != 0, controlsWithin);
        ZYR::PrintChildren(Handle(), canvas.Get(), PaintOrder(), controlsWithin);
    }
    BitBlt(target, 0, 0, width, height, canvas.Get(), 0, 0, SRCCOPY);
    // One call for all of them: under Wine each update region lives in the server.
    if (controlsWithin != nullptr)
        RedrawWindow(Handle(), nullptr, controlsWithin, RDW_VALIDATE | RDW_ALLCHILDREN);
}

LRESULT CAutoRunWindow::OnFirstFrameShown(WPARAM, LPARAM)
{
    // The first message after the window came: the frame is drawn now, when there is one
    // to draw (a window without client area or a minimised one has none).
    ::UpdateWindow(Handle());
    MakeWaitingControls();
    m_icons.Show(*this);
    return 0;
}

bool CAutoRunWindow::PreTranslateMessage(MSG& message)
{
    // An author who watches sees where each text may go, whichever control has the focus.
    if (message.message == WM_KEYDOWN && message.wParam == 'R' && GetKeyState(VK_CONTROL) < 0 && m_watch != nullptr) {
        m_outlines = !m_outlines;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return true;
    }
    // From the window itself, as right after the start, the keys that go back reach the last
    // command, as Tab, Down and Right reach the first.
    const bool back =
        message.wParam == VK_UP || message.wParam == VK_LEFT || (message.wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    if (message.message == WM_KEYDOWN && back && ::GetFocus() == Handle()) {
        if (!m_controls.Commands().IsEmpty())
            m_controls.Commands().Last()->SetFocus();
        return false;
    }
    return IsDialogNavigation(message);
}

// Under Wine each step through the children is a server call: their order is asked again
// only when one comes or goes (the problem bar, shown on top, is made each time it shows).
const std::vector<HWND>& CAutoRunWindow::PaintOrder()
{
    if (m_paintOrder.empty())
        m_paintOrder = ZYR::ChildrenBottomUp(Handle());
    return m_paintOrder;
}

LRESULT CAutoRunWindow::OnParentNotify(WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY)
        m_paintOrder.clear();
    return 0;
}

LRESULT CAutoRunWindow::OnDisplayChange(WPARAM, LPARAM)
{
    m_stretchedPictures.DisplayChanged();
    Invalidate(true);
    return 0;
}

LRESULT CAutoRunWindow::OnDeviceChange(WPARAM event, LPARAM data)
{
    if (LauncherMedium::IsRemoval(event, data))
        ZYR::QuitRequest(0);
    return TRUE;
}
