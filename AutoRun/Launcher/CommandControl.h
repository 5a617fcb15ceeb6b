// CommandControl.h
// Holds CCommandControl, the clickable item of a page: it draws its command in the normal,
// hovered or pressed state (border, colours or pictures, text, hint, focus frame), tracks
// the mouse, runs the action on a completed click or on Enter or Space, and tells its host
// (the main window) which comment to show. RunAction turns the action text into its effect.
// A screen reader asks it, as a push button, for its text, comment, state and action.
#pragma once

#include "AccessibleObject.h"
#include "Brush.h"
#include "CommandSettings.h"
#include "Cursor.h"
#include "Font.h"
#include "ToolTipCtrl.h"
#include "Window.h"

class CControlHost;

class CCommandControl : public ZYR::CWindow, private ZYR::IAccessibleSource {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    explicit CCommandControl(CCommandSettings* settings);
    ~CCommandControl() override;

    // Ready to be drawn by the main window before its own window exists (at start, the
    // first frame does not wait for the controls' windows); Create prepares it too.
    void Prepare(CControlHost* host);
    void Create(CControlHost* host);
    // Prepared and drawn by the main window, its own window not made yet.
    bool IsWaitingForWindow() const noexcept { return Handle() == nullptr; }
    // The control as it is now, into the screen or a picture: its client area from (0, 0).
    void Draw(HDC dc);
    void Rebind(CCommandSettings* settings);
    void DestroyWindow() override;
    // `byKeyboard`: Enter or Space ran it, not a click.
    void RunAction(bool byKeyboard = false);

    const CCommandSettings& Settings() const noexcept { return *m_settings; }
    bool IsHovered() const noexcept { return s_hovered == this; }
    bool IsPressed() const noexcept { return m_pressed; }
    const ZYR::CToolTipCtrl& ToolTipForTesting() const noexcept { return m_tooltip; }

protected:
    int OnCreateControl(CREATESTRUCTW* create);
    LRESULT OnDestroyControl(WPARAM, LPARAM);
    UINT OnGetDlgCode();
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSetFocus(ZYR::CWindow* previous);
    void OnKillFocus(ZYR::CWindow* next);
    bool OnSetCursor(ZYR::CWindow*, UINT, UINT) { return true; }
    void OnMouseMove(UINT flags, int x, int y);
    void EnsureTooltip(const MSG* trigger);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    void OnLButtonDown(UINT flags, int x, int y);
    void OnLButtonUp(UINT flags, int x, int y);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnClick(WPARAM, LPARAM);

private:
    int VisualState() const;
    void MakeBrushes();
    void MakeFonts();
    void Redraw();
    TObj::CUnicodeString FocusedComment() const;
    ZYR::CAccessibleFacts AccessibleFacts() const override;
    void StartDefaultAction() override;

    CCommandSettings* m_settings;   // not owned: the page settings outlive the control
    CControlHost* m_host = nullptr; // not owned: the main window, the parent
    ZYR::CFont m_textFont;
    ZYR::CFont m_hintFont;
    COLORREF m_selectedColor = 0;
    COLORREF m_notSelectedColor = 0;
    ZYR::CCursor m_hand;
    ZYR::CCursor m_arrow;
    bool m_tracking = false;
    ZYR::CBrush m_backgroundBrushes[3];
    ZYR::CBrush m_borderBrushes[3];
    bool m_pressed = false;
    // Between WM_SETFOCUS and WM_KILLFOCUS: asking GetFocus at every draw costs a server
    // call under Wine.
    bool m_focused = false;
    // Made when an accessibility client first asks; cut from the control when it goes.
    ZYR::CAccessibleObject m_accessible;
    ZYR::CToolTipCtrl m_tooltip;

    static CCommandControl* s_hovered; // the one command under the mouse, or none
};
