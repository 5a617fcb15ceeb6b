// AutoRunWindow.h
// Holds CAutoRunWindow, the launcher's one top-level window. It shows one page at a time:
// sized to the page's picture (or its background size), centred, painted through one
// memory bitmap, with the page's title, icon, comment text and one control per command;
// keeps the history for going back; follows the DPI of the monitor it is on; for an author
// watching the disc, shows the pages again as their files change; and quits when the
// launcher's medium is removed.
#pragma once

#include "Bitmap.h"
#include "Font.h"
#include "FrameWindow.h"
#include "Icon.h"
#include "PointerArray.h"
#include "ProblemBar.h"
#include "StretchedPictures.h"
#include "WindowSettings.h"

#include <memory>
#include <utility>
#include <vector>

class CCommandControl;
class CCommentControl;
class CPageWatcher;

class CAutoRunWindow : public ZYR::CFrameWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    CAutoRunWindow();
    ~CAutoRunWindow() override;

    // Creates the window for the start page; failures (no such page, a picture that cannot
    // be loaded, an icon file that is missing or plainly no icon) are thrown before the
    // window exists. The first frame does not wait for the controls' windows and the
    // icons: the window draws its controls itself, and makes their windows and loads the
    // icons once that frame is drawn (kFirstFrameShown, the first message it handles).
    void Create();
    // Makes the windows of the controls that the first frame has drawn without them; what
    // needs the controls before that frame (a render) calls it.
    void MakeWaitingControls();
    // The page of that name becomes current, the shown one goes onto the history. A bad
    // name or picture leaves everything as it was and is thrown.
    void GoToPage(const TObj::CUnicodeString& name);
    // Back one page; with an empty history the window closes, or, when that is an error,
    // the internal error of "AutoRunWindow" line 87 is raised.
    void GoBack(bool emptyHistoryIsError);
    // An empty text stands for the page's default comment.
    void SetComment(const TObj::CUnicodeString& text);
    void fullRedrawWindow();

    bool PreTranslateMessage(MSG& message) override;

    // From now on the disc's files are watched: a change that has settled shows the pages
    // as the files now have them, or, when they cannot be shown, the problem in a bar over
    // the last good page. The title says that the launcher is watching.
    void Watch();
    // Reads the files again now, when anything they are made of changed or the last reading
    // failed; what a settled change does.
    void ReloadFromFiles();
    const CProblemBar& ProblemBarForTesting() const noexcept { return m_problemBar; }
    static constexpr wchar_t kWatchingTitle[] = L" (watching for changes)";
    // Posted by Create: the first frame is drawn, then the controls get their windows and
    // the title bar its icons.
    static constexpr UINT kFirstFrameShown = WM_APP + 41;

    CWindowSettings* CurrentPage() const noexcept { return m_page; }
    // The commands' pictures as stretched to their controls, for the controls to draw.
    ZYR::CStretchedPictures& StretchedPictures() noexcept { return m_stretchedPictures; }
    const TObj::CUnicodeString& CommentTextForTesting() const noexcept { return m_comment; }
    int HistoryDepthForTesting() const noexcept { return m_history.Count(); }
    const ZYR::CBitmap* PagePictureForTesting() const noexcept { return m_background.get(); }
    int CommandControlCount() const noexcept { return m_commandControls.Count(); }
    CCommandControl* CommandControlAt(int index) const noexcept { return m_commandControls[index]; }
    // The drive letter of the launcher's own folder, for media removal.
    static wchar_t LauncherDrive();

protected:
    // The page as it is now, into the screen or a picture, in one blit.
    void OnPaint();
    void Draw(HDC target);
    // The page into `target`; with `controlsWithin`, its controls too, and taken as drawn
    // within that region.
    void DrawPage(HDC target, HRGN controlsWithin);
    int OnCreateMain(CREATESTRUCTW* create);
    LRESULT OnNextControl(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeviceChange(WPARAM event, LPARAM data);
    // Another colour depth may draw the commands' pictures otherwise.
    LRESULT OnDisplayChange(WPARAM, LPARAM);
    // A child made or destroyed: the order of the children is asked again.
    LRESULT OnParentNotify(WPARAM wParam, LPARAM);
    const std::vector<HWND>& PaintOrder();
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    // The window moved to a monitor of another DPI: the shown page is built again at it.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnFilesChanged(WPARAM, LPARAM);
    LRESULT OnFirstFrameShown(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM id, LPARAM);

private:
    // Loads the page's picture (or none) and answers the client size it asks for.
    using CPicture = std::shared_ptr<const ZYR::CBitmap>;
    SIZE LoadPage(const CWindowSettings& page, CPicture& picture, const ZYR::CFailurePlace& place);
    void LoadIcons();
    void RebuildControls();
    // The controls whose windows wait, each where its window will be.
    void DrawWaitingControls(HDC canvas, int width, HRGN within);
    void DestroyControls();
    void DestroyLabels();
    // Centred where the window is, or on `around`.
    void ShowPage(CWindowSettings* page, CPicture picture, SIZE size, const RECT* around = nullptr);
    // Reads the pages again at `dpi` and shows the same page, history, focus and hover, the
    // window centred on `around` or where it is. Decoded pictures are kept when
    // `keepPictures` says they cannot have changed. A failure leaves everything as it was.
    void Rebuild(int dpi, const RECT* around, bool keepPictures);
    void WatchFolders();
    // The files are looked at once writes have settled (ReloadFromFiles).
    void LookWhenSettled();
    // The page's title, and that the launcher watches when it does.
    void ShowTitle();

    CWindowSettings* m_page = nullptr;                 // not owned: the settings own every page
    TObj::CPointerArray<CWindowSettings> m_history;    // not owned, oldest first
    TObj::CUnicodeString m_comment;
    ZYR::CFont m_commentFont; // made for the size and name below, kept while pages share them
    std::int32_t m_commentFontSize = 0;
    TObj::CUnicodeString m_commentFontName;
    CPicture m_background; // the shown page's picture, or null
    // The pictures of pages shown so far, so that going back decodes nothing; at most
    // kCachedPictures of them.
    std::vector<std::pair<const CWindowSettings*, CPicture>> m_pictures;
    static constexpr std::size_t kCachedPictures = 8;
    // Command pictures stretched to their controls' sizes: 2 Mi pixels (8 MB) at most.
    ZYR::CStretchedPictures m_stretchedPictures{std::size_t{2} << 20};
    TObj::CUnicodeString m_iconPath; // the disc's icon file, or empty for the launcher's own
    ZYR::CIcon m_smallIcon;
    ZYR::CIcon m_bigIcon;
    TObj::CPointerArray<CCommandControl, true> m_commandControls;
    TObj::CPointerArray<CCommentControl, true> m_commentControls;
    // An author's watch, when asked for.
    bool m_watching = false;
    std::unique_ptr<CPageWatcher> m_watcher;
    std::vector<std::uint64_t> m_fingerprint; // sizes and times of the files last shown
    int m_lockedRetries = 0;
    bool m_lookAgain = false; // the next look at the files follows up this one
    CProblemBar m_problemBar;
    std::vector<HWND> m_paintOrder; // not owned: the children, bottom of the z-order first; empty: not known
};
