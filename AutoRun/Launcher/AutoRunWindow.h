// AutoRunWindow.h
// Holds CAutoRunWindow, the launcher's one top-level window. It shows one page at a time:
// sized to the page's picture (or its background size), centred, painted through one
// memory bitmap, with the page's title, icon, comment text and one control per command;
// keeps the history for going back; follows the DPI of the monitor it is on; hosts the
// controls (CControlHost); for an author, hands the watch of the disc (CPageWatch) its
// messages and shows the pages again when it asks; and quits when the launcher's medium
// is removed.
#pragma once

#include "ControlHost.h"
#include "Font.h"
#include "FrameWindow.h"
#include "LanguageMenu.h"
#include "PageControls.h"
#include "PagePictures.h"
#include "StretchedPictures.h"
#include "WindowIcons.h"
#include "WindowSettings.h"

#include <memory>
#include <vector>

class CCommandControl;
class CPageWatch;

class CAutoRunWindow : public ZYR::CFrameWindow, public CControlHost {
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
    void MakeWaitingControls() { m_controls.MakeWaiting(); }
    // The page of that name becomes current, the shown one goes onto the history. A bad
    // name or picture leaves everything as it was and is thrown.
    void GoToPage(const TObj::CUnicodeString& name, const CCommandControl* byKeyboard = nullptr) override;
    // Back one page, the focus on the command the keyboard left it by; with an empty
    // history the window closes, or, when that is an error, the internal error of
    // "AutoRunWindow" line 87 is raised.
    void GoBack(bool emptyHistoryIsError) override;
    // An empty text stands for the page's default comment.
    void SetComment(const TObj::CUnicodeString& text) override;
    // The one override of both bases: the window goes, and with it the launcher.
    void DestroyWindow() override { ZYR::CFrameWindow::DestroyWindow(); }
    ZYR::CWindow& HostWindow() noexcept override { return *this; }

    bool PreTranslateMessage(MSG& message) override;

    // The author's watch of the disc starts, its messages go to it from now on, and the
    // title says that the launcher is watching.
    CPageWatch& Watch(std::unique_ptr<CPageWatch> watch);
    // What the watch asks: the pages read again at the current DPI, shown as Rebuild shows
    // them. A failure leaves everything as it was and is thrown.
    void ReadPagesAgain();
    // The pages read again when a condition of the shown one decides otherwise now.
    void DecideAgain();
    // A child went to another place in the z-order (the watch's problem bar, on top).
    void ChildrenReordered() noexcept { m_paintOrder.clear(); }
    // Posted by Create: the first frame is drawn, then the controls get their windows and
    // the title bar its icons.
    static constexpr UINT kFirstFrameShown = WM_APP + 41;

    CWindowSettings* CurrentPage() const noexcept { return m_page; }
    // The commands' pictures as stretched to their controls, for the controls to draw.
    ZYR::CStretchedPictures& StretchedPictures() noexcept override { return m_stretchedPictures; }
    void HoverUnderPointer() override { m_controls.HoverUnderPointer(); }
    bool ShowsOutlines() const noexcept override { return m_outlines; }
    // Outlines every command, text area and the comment's rectangle (a render's "--outlines").
    void ShowOutlines() noexcept { m_outlines = true; }
    const TObj::CUnicodeString& CommentTextForTesting() const noexcept { return m_comment; }
    int HistoryDepthForTesting() const noexcept { return static_cast<int>(m_history.size()); }
    const ZYR::CBitmap* PagePictureForTesting() const noexcept { return m_background.get(); }
    int CommandControlCount() const noexcept { return m_controls.Commands().Count(); }
    CCommandControl* CommandControlAt(int index) const noexcept { return m_controls.Commands()[index]; }

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
    LRESULT OnActivateApp(WPARAM active, LPARAM);
    LRESULT OnSystemCommand(WPARAM command, LPARAM lParam);
    LRESULT OnThemeChange(WPARAM, LPARAM);
    // The pages of another language, read as "-l:<code>" reads them, with the page of the
    // same name (else the start page), no history, and that language's reading direction.
    void SwitchLanguage(int code);
    void ApplyReadingDirection();
    const std::vector<HWND>& PaintOrder();
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    // The window moved to a monitor of another DPI: the shown page is built again at it.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnFilesChanged(WPARAM, LPARAM);
    LRESULT OnFirstFrameShown(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM id, LPARAM);

private:
    using CPicture = CPagePictures::CPicture;
    void RebuildControls();
    // Centred where the window is, or on `around`.
    void ShowPage(CWindowSettings* page, CPicture picture, SIZE size, const RECT* around = nullptr);
    // Reads the pages again at `dpi` and shows the same page, history, focus and hover, the
    // window centred on `around` or where it is. Decoded pictures are kept when
    // `keepPictures` says they cannot have changed. A failure leaves everything as it was.
    void Rebuild(int dpi, const RECT* around, bool keepPictures);
    // The command at `index`, when the page has one, gets the keyboard focus.
    void FocusCommand(int index);
    // The page's title, and that the launcher watches when it does.
    void ShowTitle();

    CWindowSettings* m_page = nullptr; // not owned: the settings own every page
    struct CVisit {
        CWindowSettings* page; // not owned
        int focus;             // the command the keyboard left the page by, or -1
    };
    std::vector<CVisit> m_history; // oldest first
    TObj::CUnicodeString m_comment;
    ZYR::CFont m_commentFont; // made for the size and name below, kept while pages share them
    std::int32_t m_commentFontSize = 0;
    TObj::CUnicodeString m_commentFontName;
    CPicture m_background; // the shown page's picture, or null
    CPagePictures m_pictures;
    // Command pictures stretched to their controls' sizes: 2 Mi pixels (8 MB) at most.
    ZYR::CStretchedPictures m_stretchedPictures{std::size_t{2} << 20};
    CWindowIcons m_icons;
    CPageControls m_controls;
    std::unique_ptr<CPageWatch> m_watch; // an author's watch, when asked for
    bool m_outlines = false;             // asked for while watching, or by a render
    bool m_creating = false;             // inside Create, which also shows and activates the window
    CLanguageMenu m_languages;
    std::vector<HWND> m_paintOrder; // not owned: the children, bottom of the z-order first; empty: not known
};
