// FrameWindow.h
// Holds ZYR::CFrameWindow, a top-level window that registers its own class, keeps itself
// in the process-wide list of frames, asks before it closes, and makes the quit request
// when the last frame is destroyed while a message loop runs.
#pragma once

#include "Window.h"

#include <vector>

namespace ZYR {

class CFrameWindow : public CWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    ~CFrameWindow() override;

    // A brush of -1 means the frame's default: the stock null brush, so the library never
    // erases the client area.
    void Create(HWND parent, const RECT& rect, DWORD style, DWORD exStyle, HMENU menu, HBRUSH brush);
    // A frame inside another window always agrees; a top-level one only while enabled.
    virtual bool CanClose();

    // The frame deletes itself after its window is gone.
    void SetAutoDelete(bool autoDelete) noexcept { m_autoDelete = autoDelete; }
    // The program goes on when this frame, the last one, is destroyed.
    void SetKeepRunning(bool keepRunning) noexcept { m_keepRunning = keepRunning; }

    static std::vector<CFrameWindow*> Frames();

    static HBRUSH DefaultBrush();

    // Forgets `window` as the child to give the focus back to (it is being destroyed).
    void ForgetFocusWindow(HWND window) noexcept
    {
        if (m_focusWindow == window)
            m_focusWindow = nullptr;
    }

protected:
    int OnCreate(CREATESTRUCTW* create);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameNcDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameSetFocus(WPARAM wParam, LPARAM lParam);
    void OnAttach() override;
    void OnDetach() override;

private:
    TObj::CUnicodeString m_registeredClass;
    bool m_autoDelete = false;
    bool m_keepRunning = false;
    HWND m_focusWindow = nullptr; // not owned: the child that had the focus when the frame was left
};

} // namespace ZYR
