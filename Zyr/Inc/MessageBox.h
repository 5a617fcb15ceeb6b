// MessageBox.h
// Holds ZYR::CMessageBox, the window library's own modal message box: caption, icon, the
// text in a rich edit control sized to what it needs, and a row of buttons; it returns the
// reply of the button chosen like a Win32 message box, and Ctrl+C copies the caption, the
// text and the buttons to the clipboard.
#pragma once

#include "Font.h"
#include "UnicodeString.h"
#include "Window.h"

#include <vector>

namespace ZYR {

class CModalMessageLoop;

class CMessageBox : public CWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    enum EFlags : unsigned {
        kOk = 0x1,
        kCancel = 0x2,
        kYes = 0x4,
        kNo = 0x8,
        kYesToAll = 0x10,
        kNoToAll = 0x20,
        kAbort = 0x40,
        kRetry = 0x80,
        kIgnore = 0x100,
        kButtons = 0x1FF,
        kIconStop = 0x1000,
        kIconQuestion = 0x2000,
        kIconExclamation = 0x3000,
        kIconInformation = 0x4000,
        kIcons = 0xF000,
        kDefaultFirst = 0x10000,
        kDefaultSecond = 0x20000,
        kDefaultThird = 0x30000,
        kDefaultFourth = 0x40000,
        kDefaults = 0xF0000,
        kForeground = 0x1000000,
        kTopmost = 0x2000000,
        kRightAligned = 0x4000000,
        kRtlReading = 0x8000000,
    };
    static constexpr int kYesToAllReply = 1027;
    static constexpr int kNoToAllReply = 1028;
    static constexpr int kTextControlId = 1025;

    // Win32 message-box flags in the box's own bits; an unknown type gets the OK button, so
    // the box can always be closed.
    static unsigned FlagsFromWin32(unsigned flags);

    // An empty caption is the application title. A box without icon gets the one of its buttons.
    CMessageBox(HWND owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption, unsigned flags);
    void SetFurtherText(const TObj::CUnicodeString& text) { m_furtherText = text; }

    // Shows the box modally, with its owner (or this thread's windows) disabled meanwhile.
    int DoModal();

    unsigned Flags() const noexcept { return m_flags; }
    // Caption, text, further text and buttons, as Ctrl+C puts them on the clipboard.
    TObj::CUnicodeString CopyText() const;
    void CopyToClipboard();
    bool PreTranslateModal(MSG& message) override;

    // The boxes shown now on this thread, innermost last.
    static std::size_t OpenCountForTesting();

protected:
    int OnCreateBox(CREATESTRUCTW* create);
    void OnPaint();
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct CButton {
        int reply;
        TObj::CUnicodeString caption;
    };
    std::vector<CButton> Buttons() const;
    // Disables the owner, or without one this thread's shown windows; returns those disabled.
    std::vector<HWND> DisableOthers() const;
    void CreateAndShow(const TObj::CUnicodeString& className);
    void End(int reply);
    void Layout(int textHeight);

    HWND m_owner; // not owned
    TObj::CUnicodeString m_text;
    TObj::CUnicodeString m_caption;
    unsigned m_flags;
    TObj::CUnicodeString m_furtherText;
    HWND m_textControl = nullptr;       // a child, destroyed with the box
    HWND m_iconControl = nullptr;       // a child, destroyed with the box
    std::vector<HWND> m_buttonControls; // children, destroyed with the box
    CFont m_font;
    int m_reply = 0;
    bool m_ended = false;
    CModalMessageLoop* m_loop = nullptr; // not owned: the loop DoModal runs, while it runs
    int m_messageAreaColor;
    int m_textHeight = 0;
};

} // namespace ZYR
