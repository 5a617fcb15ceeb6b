// Window.h
// Holds ZYR::CWindow, the object bound to one window handle from its first message to
// WM_NCDESTROY: creation (the library's window procedure binds the window under
// construction), subclassing of foreign classes, message dispatch through the message
// maps with an exception barrier, the pre-translation chain, destruction and detachment,
// and the guarded wrappers of common Win32 window calls.
#pragma once

#include "CmdTarget.h"
#include "Errors.h"
#include "UnicodeString.h"

namespace ZYR {

class CWindow : public CCmdTarget {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    CWindow() = default;
    ~CWindow() override;

    HWND Handle() const noexcept { return m_handle; }

    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DestroyWindow();
    // Asks the parent's object; a window that overrides it decides for itself.
    virtual bool PreTranslateMessage(MSG& message);
    // What a modal loop that lets its window see each message first asks: false, unless
    // the window filters its own keys while it runs modally.
    virtual bool PreTranslateModal(MSG&) { return false; }
    // IsDialogMessageW when the window has a child, else false.
    virtual bool IsDialogNavigation(MSG& message);
    virtual void OnAttach() {}
    virtual void OnDetach() {}
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    void CreateEx(DWORD exStyle, const TObj::CUnicodeString& className, const TObj::CUnicodeString& text, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId, void* parameter = nullptr);
    void CreateEx(DWORD exStyle, const TObj::CUnicodeString& className, const TObj::CUnicodeString& text, DWORD style,
                  const RECT& rect, CWindow* parent, UINT id, void* parameter = nullptr);
    void SubclassWindow(HWND handle);
    void Attach(HWND handle);
    // DefWindowProc with the message being dispatched now.
    LRESULT Default();

    // The object of a handle: the bound one, or a temporary wrapper for a foreign window.
    static CWindow* FromHandle(HWND handle);
    static CWindow* FromHandlePermanent(HWND handle);
    static CWindow* GetFocus();
    static std::size_t BoundWindowCountForTesting();

    DWORD Style() const;
    DWORD ExStyle() const;
    bool IsChild() const;
    bool IsVisible() const;
    void Invalidate(bool erase);
    void InvalidateRect(const RECT& rect, bool erase);
    bool ShowWindow(int command);
    CWindow* SetFocus();
    void SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags);
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void UpdateWindow();
    void TrackMouseEvent(DWORD flags, DWORD hoverTime);

protected:
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
    // Detaches at WM_NCDESTROY: the procedure is put back and the handle forgotten.
    void FinalDetach();
    bool RequireLiveWindow(const TObj::CReportPlace& place) const;
    void ForgetHandle() noexcept { m_handle = nullptr; }

private:
    friend LRESULT CALLBACK ZyrWindowProcedure(HWND, UINT, WPARAM, LPARAM);

    HWND m_handle = nullptr;          // not owned: bound while the window lives
    WNDPROC m_superWndProc = nullptr; // the class's own procedure while subclassed
    void* m_reserved = nullptr;
};

LRESULT CALLBACK ZyrWindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// The message being dispatched on this thread, which Default passes on.
struct CCurrentMessage {
    HWND handle;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
const CCurrentMessage& CurrentMessage();

// Sets the window text only when it differs from the current text.
void SetWindowTextW(HWND handle, const TObj::CUnicodeString& text);
// Sets the window text, for a caller that knows it differs: reading the old text first
// costs two more calls (under Wine, half as much again as the setting).
void ReplaceWindowTextW(HWND handle, const TObj::CUnicodeString& text);
RECT AdjustWindowRectEx(const RECT& rect, DWORD style, bool hasMenu, DWORD exStyle);
// Destroys the window of `window` unless it has none or it is gone already (with its parent).
void DestroyWindowIfAlive(CWindow& window);
// The work area of `monitor`: the screen without the task bar and docked bars.
RECT MonitorWorkArea(HMONITOR monitor);

// The first thread that creates or subclasses a window; later ones from another thread fail.
bool IsGuiThread();
void ForgetGuiThread();

// Deletes the temporary wrappers of foreign windows (at the first idle pass and at clean-up).
void DeleteTemporaryWindows();

} // namespace ZYR
