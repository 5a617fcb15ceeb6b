// CommentControl.h
// Holds CCommentControl, the label of a command without an action: its text in its font
// and colour, nothing else; it is no tab stop and presents itself to screen readers as
// static text.
#pragma once

#include "AccessibleObject.h"
#include "CommandSettings.h"
#include "Cursor.h"
#include "Font.h"
#include "Window.h"

class CControlHost;

class CCommentControl : public ZYR::CWindow, private ZYR::IAccessibleSource {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    CCommentControl(CCommandSettings* settings, CControlHost* host);
    ~CCommentControl() override;
    // Ready to be drawn by the main window before its own window exists; Create prepares
    // it too.
    void Prepare();
    void Create();
    // Prepared and drawn by the main window, its own window not made yet.
    bool IsWaitingForWindow() const noexcept { return Handle() == nullptr; }
    const CCommandSettings& Settings() const noexcept { return *m_settings; }
    // The control as it is now, into the screen or a picture: its client area from (0, 0).
    void Draw(HDC target);

protected:
    int OnCreateControl(CREATESTRUCTW* create);
    UINT OnGetDlgCode() { return DLGC_STATIC; }
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

private:
    ZYR::CAccessibleFacts AccessibleFacts() const override;
    void StartDefaultAction() override {} // it has none

    CCommandSettings* m_settings; // not owned
    CControlHost* m_host;         // not owned: the main window, the parent
    ZYR::CFont m_font;
    COLORREF m_textColor = 0;
    ZYR::CCursor m_cursor;
    ZYR::CAccessibleObject m_accessible; // made when an accessibility client first asks
};
