#include "AutoRunWindow.h"

#include "Brush.h"
#include "CommandControl.h"
#include "CommentControl.h"
#include "DC.h"
#include "Errors.h"
#include "GdiGlobals.h"
#include "Languages.h"
#include "LauncherReportPlaces.h"
#include "MessageLoop.h"
#include "MonitorDpi.h"
#include "PageLayout.h"
#include "PageWatcher.h"
#include "ProgramPaths.h"
#include "Region.h"
#include "ScopeExit.h"
#include "Settings.h"
#include "WatchedFiles.h"
#include "ZyrFailure.h"

#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <memory>

using TObj::CUnicodeString;

namespace {

constexpr DWORD kStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Moves `rect` so that its centre lies on the centre of `target`, halves truncated.
RECT CentredOn(const RECT& rect, const RECT& target)
{
    const std::int64_t dx = (std::int64_t{target.left} + target.right) / 2 - (std::int64_t{rect.left} + rect.right) / 2;
    const std::int64_t dy = (std::int64_t{target.top} + target.bottom) / 2 - (std::int64_t{rect.top} + rect.bottom) / 2;
    return RECT{PageLayout::Saturated(rect.left + dx), PageLayout::Saturated(rect.top + dy), PageLayout::Saturated(rect.right + dx), PageLayout::Saturated(rect.bottom + dy)};
}

CSettings& Settings() { return *CSettings::Current(); }

} // namespace

ZYR_BEGIN_MESSAGE_MAP(CAutoRunWindow, ZYR::CFrameWindow)
    ZYR_ON_CREATE(OnCreateMain)
    ZYR_ON_VOID(WM_PAINT, OnPaint)
    ZYR_ON_PRINTCLIENT(Draw)
    ZYR_ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ZYR_ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
    ZYR_ON_MESSAGE(CPageWatcher::kFilesChanged, OnFilesChanged)
    ZYR_ON_MESSAGE(kFirstFrameShown, OnFirstFrameShown)
    ZYR_ON_MESSAGE(WM_TIMER, OnTimer)
    ZYR_ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChange)
    ZYR_ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ZYR_ON_MESSAGE(WM_NEXTDLGCTL, OnNextControl)
    ZYR_ON_MESSAGE(WM_PARENTNOTIFY, OnParentNotify)
ZYR_END_MESSAGE_MAP(ZYR::CFrameWindow)

CAutoRunWindow::CAutoRunWindow() = default;

CAutoRunWindow::~CAutoRunWindow()
{
    // The controls' windows went with the main window; only live ones are destroyed here.
    DestroyControls();
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
        for (int left = m_commandControls.Count() + m_commentControls.Count();
             target != nullptr && target != focus && (GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP) == 0 && left > 0;
             --left)
            target = GetNextDlgGroupItem(Handle(), target, backwards);
    }
    if (target != nullptr && ::IsChild(Handle(), target) && (GetWindowLongW(target, GWL_STYLE) & WS_TABSTOP) != 0)
        ::SetFocus(target);
    return 0;
}

wchar_t CAutoRunWindow::LauncherDrive()
{
    const CUnicodeString folder = TObj::GetProgramFolder();
    const wchar_t letter = static_cast<wchar_t>(folder[0]);
    if (folder[1] != u':')
        return 0; // a network folder has no drive whose media could be removed
    return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

SIZE CAutoRunWindow::LoadPage(const CWindowSettings& page, CPicture& picture, const ZYR::CFailurePlace& place)
{
    picture.reset();
    if (page.backgroundPath.IsEmpty())
        return SIZE{page.backgroundSize.width, page.backgroundSize.height};
    for (const auto& cached : m_pictures)
        if (cached.first == &page) {
            picture = cached.second;
            return picture->Size();
        }
    auto loaded = std::make_shared<ZYR::CBitmap>();
    loaded->LoadFromFile(page.backgroundPath, place);
    if (m_pictures.size() >= kCachedPictures)
        m_pictures.erase(m_pictures.begin());
    m_pictures.emplace_back(&page, loaded);
    picture = std::move(loaded);
    return picture->Size();
}

void CAutoRunWindow::LoadIcons()
{
    if (!m_iconPath.IsEmpty()) {
        m_smallIcon.LoadFromFile(m_iconPath, 16, 16);
        m_bigIcon.LoadFromFile(m_iconPath, 32, 32);
    } else {
        m_smallIcon.LoadStandardSize(MAKEINTRESOURCEW(102));
        m_bigIcon.LoadStandardSize(MAKEINTRESOURCEW(102));
    }
}

void CAutoRunWindow::Create()
{
    CWindowSettings* page = Settings().GetWindow(Settings().StartWindowName());
    TOBJ_ASSERT(m_background == nullptr, Places::kBackgroundLoadedTwice);
    // Everything that can fail is loaded before the window exists, so a failure ends the
    // start with its message instead of leaving an empty window.
    const SIZE size = LoadPage(*page, m_background, Places::kStartPictureLoad);
    // The icons wait for the first frame (OnFirstFrameShown), unless the file is plainly
    // no icon.
    m_iconPath = Settings().GetIcon();
    if (!m_iconPath.IsEmpty() && !ZYR::CIcon::HasIconSignature(m_iconPath))
        LoadIcons();
    m_page = page;
    DWORD exStyle = WS_EX_COMPOSITED;
    if (Settings().Language() == TObj::kRightToLeftLanguage)
        exStyle |= WS_EX_LAYOUTRTL;
    const RECT frame = ZYR::AdjustWindowRectEx(RECT{0, 0, size.cx, size.cy}, kStyle, false, exStyle);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT placed = CentredOn(frame, monitor.rcWork);
    // A window larger than the work area keeps its title bar on it.
    if (placed.left < monitor.rcWork.left)
        OffsetRect(&placed, monitor.rcWork.left - placed.left, 0);
    if (placed.top < monitor.rcWork.top)
        OffsetRect(&placed, 0, monitor.rcWork.top - placed.top);
    ZYR::CFrameWindow::Create(nullptr, placed, kStyle, exStyle, nullptr, reinterpret_cast<HBRUSH>(-1));
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
    if (m_page != nullptr && Handle() != nullptr) {
        const CPageRect& r = m_page->commentRect;
        InvalidateRect(RECT{r.left, r.top, r.right, r.bottom}, true);
    }
}

void CAutoRunWindow::DestroyControls()
{
    for (CCommandControl* control : m_commandControls)
        if (control->Handle() != nullptr && IsWindow(control->Handle()))
            control->DestroyWindow();
    m_commandControls.Clear();
    DestroyLabels();
}

void CAutoRunWindow::DestroyLabels()
{
    for (CCommentControl* control : m_commentControls)
        if (control->Handle() != nullptr && IsWindow(control->Handle()))
            control->DestroyWindow();
    m_commentControls.Clear();
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
    {
        // Command controls are kept and given the new page's commands; only the difference
        // in number is made or destroyed. Labels go first, so that new controls come after
        // the kept ones, in the order a fresh page has.
        DestroyLabels();
        int kept = 0;
        for (CCommandSettings* command : m_page->commands) {
            if (command->action.IsEmpty())
                continue;
            if (kept < m_commandControls.Count()) {
                m_commandControls[kept++]->Rebind(command);
                continue;
            }
            auto* control = new CCommandControl(command);
            m_commandControls.Add(control);
            if (wait)
                control->Prepare(this);
            else
                control->Create(this);
            ++kept;
        }
        while (m_commandControls.Count() > kept) {
            const std::unique_ptr<CCommandControl> surplus(m_commandControls.RemoveLast());
            if (surplus->Handle() != nullptr && IsWindow(surplus->Handle()))
                surplus->DestroyWindow();
        }
        for (CCommandSettings* command : m_page->commands) {
            if (!command->action.IsEmpty())
                continue;
            auto* control = new CCommentControl(command, this);
            m_commentControls.Add(control);
            if (wait)
                control->Prepare();
            else
                control->Create();
        }
    }
    SetFocus();
}

void CAutoRunWindow::ShowPage(CWindowSettings* page, CPicture picture, SIZE size, const RECT* around)
{
    m_page = page;
    m_background = std::move(picture);
    const RECT current = around != nullptr ? *around : GetWindowRect();
    const RECT frame = ZYR::CMonitorDpi::Frame(RECT{0, 0, size.cx, size.cy}, Style(), ExStyle(), Handle());
    RECT placed = CentredOn(frame, current);
    if (placed.left == current.left && placed.top == current.top && placed.right == current.right &&
        placed.bottom == current.bottom) {
        RebuildControls();
        Invalidate(true);
        return;
    }
    // A monitor left of or above the primary one has negative coordinates: a window moved
    // there keeps them.
    if (placed.left < 0 && around == nullptr)
        OffsetRect(&placed, -placed.left, 0);
    if (placed.top < 0 && around == nullptr)
        OffsetRect(&placed, 0, -placed.top);
    SetWindowPos(HWND_TOP, placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top, 0);
    RebuildControls();
    Invalidate(true);
}

void CAutoRunWindow::fullRedrawWindow()
{
    // A full redraw reads the page's picture again.
    m_pictures.erase(std::remove_if(m_pictures.begin(), m_pictures.end(),
                                    [this](const auto& cached) { return cached.first == m_page; }),
                     m_pictures.end());
    CPicture picture;
    const SIZE size = LoadPage(*m_page, picture, Places::kSwitchPictureLoad);
    ShowPage(m_page, std::move(picture), size);
}

void CAutoRunWindow::GoToPage(const CUnicodeString& name)
{
    CWindowSettings* page = Settings().GetWindow(name);
    CPicture picture;
    const SIZE size = LoadPage(*page, picture, Places::kSwitchPictureLoad);
    m_history.Add(m_page);
    ShowPage(page, std::move(picture), size);
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
    try {
        Rebuild(dpi, &suggested, true);
    } catch (TObj::CException* failure) {
        // A page file that cannot be read again now: the page stays as it was drawn.
        const std::unique_ptr<TObj::CException> owned(failure);
        TObj::ReportException(failure);
    }
    return 0;
}

void CAutoRunWindow::Rebuild(int dpi, const RECT* around, bool keepPictures)
{
    // What the user has, by name and place, for the pages read again.
    const CUnicodeString shown = m_page->name;
    std::vector<CUnicodeString> history;
    for (const CWindowSettings* page : m_history)
        history.push_back(page->name);
    int focused = -1;
    for (int i = 0; i < m_commandControls.Count(); ++i)
        if (::GetFocus() == m_commandControls[i]->Handle())
            focused = i;
    // The old pages live until the end of this function: the controls point into them until
    // they are given the new ones.
    CSettings::CPages retired = Settings().Reload(dpi);
    // Pictures are in pixels whatever the DPI: at a DPI change the decoded ones serve the new
    // pages. Otherwise the page's picture is read again. A page gone from the files gives
    // way to the start page; when that is gone too, or the picture cannot be read, the old
    // pages are put back and nothing has changed.
    std::vector<std::pair<const CWindowSettings*, CPicture>> pictures;
    if (keepPictures)
        for (const auto& cached : m_pictures)
            if (const CWindowSettings* same = Settings().WindowNamed(cached.first->name))
                pictures.emplace_back(same, cached.second);
    std::swap(pictures, m_pictures);
    CWindowSettings* page = Settings().WindowNamed(shown);
    CPicture picture;
    SIZE size{};
    try {
        if (page == nullptr)
            page = Settings().GetWindow(Settings().StartWindowName());
        size = LoadPage(*page, picture, Places::kSwitchPictureLoad);
    } catch (TObj::CException*) {
        std::swap(pictures, m_pictures);
        Settings().PutBack(std::move(retired));
        throw;
    }
    m_history.Clear();
    for (const CUnicodeString& name : history)
        if (CWindowSettings* previous = Settings().WindowNamed(name))
            m_history.Add(previous);
    ShowPage(page, std::move(picture), size, around);
    if (focused >= 0 && focused < m_commandControls.Count())
        m_commandControls[focused]->SetFocus();
    // The command under the pointer is hovered again, as a fresh move onto it would.
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    for (CCommandControl* control : m_commandControls)
        if (control->Handle() == under) {
            ScreenToClient(under, &cursor);
            control->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
        }
}

namespace {

constexpr UINT_PTR kSettleTimer = 1;
// Editors save in steps (rename, truncate, write): a change is read once nothing has
// changed for this long.
constexpr UINT kSettleMilliseconds = 150;
// A file another program holds while writing it is tried again, this many times.
constexpr int kLockedRetries = 20;

} // namespace

void CAutoRunWindow::Watch()
{
    m_watching = true;
    WatchFolders();
    // A save after the start read the files and before the watch stood would go unseen:
    // with no fingerprint yet, the files are read once more as soon as they have settled.
    m_fingerprint.clear();
    LookWhenSettled();
    // Only now: whoever waits for this title may save and be seen.
    ShowTitle();
}

void CAutoRunWindow::ShowTitle()
{
    ZYR::SetWindowTextW(Handle(), m_watching ? m_page->title + CUnicodeString(kWatchingTitle) : m_page->title);
}

void CAutoRunWindow::WatchFolders()
{
    // The disc's folder with its sub-folders, and each folder a file of the pages lies in by
    // itself too: not every file system tells of changes below a folder.
    const std::vector<CUnicodeString> folders =
        WatchedFiles::Folders(Settings().Environment().launcherFolder, Settings().ReadFiles());
    if (m_watcher == nullptr || m_watcher->Folders() != folders) {
        m_watcher.reset();
        m_watcher.reset(new CPageWatcher(Handle(), folders));
    }
}

LRESULT CAutoRunWindow::OnFilesChanged(WPARAM, LPARAM)
{
    LookWhenSettled();
    return 0;
}

void CAutoRunWindow::LookWhenSettled()
{
    // Each call puts the look off again: it comes once nothing has changed for a while.
    SetTimer(Handle(), kSettleTimer, kSettleMilliseconds, nullptr);
}

LRESULT CAutoRunWindow::OnTimer(WPARAM id, LPARAM)
{
    if (id == kSettleTimer) {
        KillTimer(Handle(), kSettleTimer);
        ReloadFromFiles();
    }
    return 0;
}

void CAutoRunWindow::ReloadFromFiles()
{
    // The last write of a save may come after the change that woke the watch, and not be
    // told again on every file system: the files are looked at once more when it has
    // settled, whatever this look finds.
    m_lookAgain = !m_lookAgain;
    if (m_lookAgain)
        LookWhenSettled();
    const std::vector<CUnicodeString> files = Settings().ReadFiles();
    std::vector<std::uint64_t> seen = WatchedFiles::Fingerprint(files);
    if (m_problemBar.Text().IsEmpty() && seen == m_fingerprint)
        return;
    try {
        Rebuild(Settings().DpiY(), nullptr, false);
    } catch (TObj::CException* thrown) {
        const std::unique_ptr<TObj::CException> failure(thrown);
        if (WatchedFiles::IsLockedFile(*thrown) && m_lockedRetries++ < kLockedRetries) {
            LookWhenSettled();
            return;
        }
        m_lockedRetries = 0;
        m_problemBar.Show(*this, WatchedFiles::ProblemText(*thrown, Settings().Environment()));
        m_paintOrder.clear(); // the bar went on top
        return;
    }
    m_lockedRetries = 0;
    // The files as they were before the read stand for what it read, so that a write during
    // the read differs from them at the next look. Files the pages did not use before have
    // no such fingerprint, and a write to one between the read and the watch of its folder
    // would be told to no one: they are read once more when they have settled.
    if (Settings().ReadFiles() == files) {
        m_fingerprint = std::move(seen);
    } else {
        m_fingerprint.clear();
        LookWhenSettled();
    }
    m_problemBar.Hide();
    WatchFolders();
}

void CAutoRunWindow::GoBack(bool emptyHistoryIsError)
{
    if (m_history.IsEmpty()) {
        if (emptyHistoryIsError)
            TObj::GenerateInternalError(TObj::kAssertion, Places::kBackOnFirstPage);
        DestroyWindow();
        return;
    }
    CWindowSettings* page = m_history.Last();
    CPicture picture;
    const SIZE size = LoadPage(*page, picture, Places::kSwitchPictureLoad);
    m_history.RemoveLast();
    ShowPage(page, std::move(picture), size);
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
    if (m_background == nullptr && m_page->backgroundColor == kNoColor)
        BitBlt(canvas.Get(), 0, 0, width, height, target, 0, 0, SRCCOPY);
    if ((ExStyle() & WS_EX_LAYOUTRTL) != 0)
        SetLayout(canvas.Get(), LAYOUT_RTL);
    if (m_page->backgroundColor != kNoColor) {
        ZYR::CBrush fill;
        fill.CreateSolidBrush(m_page->backgroundColor);
        FillRect(canvas.Get(), &client, fill.Get());
    }
    if (m_background != nullptr && m_background->HasAlpha()) {
        // What a page picture leaves transparent shows the colour of a window's client area.
        FillRect(canvas.Get(), &client, GetSysColorBrush(COLOR_WINDOW));
        ZYR::DrawPicture(*m_background, canvas.Get(), client, COLORONCOLOR);
    } else if (m_background != nullptr) {
        ZYR::CBitmapDC picture(m_background->Get(), canvas.Get());
        SetStretchBltMode(canvas.Get(), COLORONCOLOR);
        BitBlt(canvas.Get(), client.left, client.top, width, height, picture.Get(), 0, 0, SRCCOPY);
    }
    SetBkMode(canvas.Get(), TRANSPARENT);
    ZYR::CSelectObjectGuard selectFont(canvas.Get(), m_commentFont.Handle());
    SetTextColor(canvas.Get(), m_page->commentColor);
    RECT commentRect{m_page->commentRect.left, m_page->commentRect.top, m_page->commentRect.right,
                     m_page->commentRect.bottom};
    DrawTextW(canvas.Get(), m_comment.W(), -1, &commentRect, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK);
    selectFont.Restore();
    SetLayout(canvas.Get(), 0);
    if (controlsWithin != nullptr) {
        DrawWaitingControls(canvas.Get(), width, controlsWithin);
        ZYR::PrintChildren(Handle(), canvas.Get(), PaintOrder(), controlsWithin);
    }
    BitBlt(target, 0, 0, width, height, canvas.Get(), 0, 0, SRCCOPY);
    // One call for all of them: under Wine each update region lives in the server.
    if (controlsWithin != nullptr)
        RedrawWindow(Handle(), nullptr, controlsWithin, RDW_VALIDATE | RDW_ALLCHILDREN);
}

void CAutoRunWindow::DrawWaitingControls(HDC canvas, int width, HRGN within)
{
    // In the order their windows will have from the bottom up: the last made lowest.
    const bool mirrored = (ExStyle() & WS_EX_LAYOUTRTL) != 0;
    const auto drawAt = [&](const CCommandSettings& command, void (*draw)(HDC, void*), void* control) {
        const RECT area = command.WaitingClientArea();
        // The region is in the window's own coordinates, mirrored with it; the canvas is not.
        const RECT own{command.rect.left, command.rect.top, PageLayout::Saturated(std::int64_t{command.rect.left} + area.right),
                       PageLayout::Saturated(std::int64_t{command.rect.top} + area.bottom)};
        const int left = mirrored ? PageLayout::Saturated(std::int64_t{width} - own.right) : own.left;
        const RECT placed{left, own.top, PageLayout::Saturated(std::int64_t{left} + area.right), own.bottom};
        if (RectInRegion(within, &own))
            ZYR::PrintInPlace(canvas, placed, mirrored, draw, control);
    };
    for (int i = m_commentControls.Count() - 1; i >= 0; --i)
        if (CCommentControl* label = m_commentControls[i]; label->Handle() == nullptr)
            drawAt(label->Settings(), [](HDC dc, void* it) { static_cast<CCommentControl*>(it)->Draw(dc); }, label);
    for (int i = m_commandControls.Count() - 1; i >= 0; --i)
        if (CCommandControl* command = m_commandControls[i]; command->Handle() == nullptr)
            drawAt(command->Settings(), [](HDC dc, void* it) { static_cast<CCommandControl*>(it)->Draw(dc); }, command);
}

void CAutoRunWindow::MakeWaitingControls()
{
    // Each is drawn already, or will be with the page: its window paints nothing more.
    for (CCommandControl* control : m_commandControls)
        if (control->Handle() == nullptr) {
            control->Create(this);
            ::ValidateRect(control->Handle(), nullptr);
        }
    for (CCommentControl* control : m_commentControls)
        if (control->Handle() == nullptr) {
            control->Create();
            ::ValidateRect(control->Handle(), nullptr);
        }
}

LRESULT CAutoRunWindow::OnFirstFrameShown(WPARAM, LPARAM)
{
    // The first message after the window came: the frame is drawn now, when there is one
    // to draw (a window without client area or a minimised one has none).
    ::UpdateWindow(Handle());
    MakeWaitingControls();
    if (m_smallIcon.IsEmpty()) {
        try {
            LoadIcons();
        } catch (TObj::CException* failure) {
            // An icon file that looked like one and still cannot be loaded is told as at
            // start; the page, shown already, stays, with the launcher's own icon.
            const std::unique_ptr<TObj::CException> owned(failure);
            TObj::ReportException(failure);
            m_smallIcon.Destroy();
            m_bigIcon.Destroy();
            m_iconPath = CUnicodeString();
            LoadIcons();
        }
    }
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
    return 0;
}

bool CAutoRunWindow::PreTranslateMessage(MSG& message)
{
    if (message.message == WM_KEYDOWN && message.wParam == VK_UP && ::GetFocus() == Handle()) {
        if (!m_commandControls.IsEmpty())
            m_commandControls.Last()->SetFocus();
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
    if (event != DBT_DEVICEREMOVECOMPLETE || data == 0)
        return TRUE;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_VOLUME)
        return TRUE;
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data);
    const wchar_t drive = LauncherDrive();
    if ((volume->dbcv_flags & DBTF_MEDIA) != 0 && drive >= L'A' && drive <= L'Z' &&
        (volume->dbcv_unitmask & (1u << (drive - L'A'))) != 0)
        ZYR::QuitRequest(0);
    return TRUE;
}
