// PageControls.h
// Holds CPageControls, the controls of the page a window shows: a command control for each
// command with an action, a label for each without. Command controls are kept from page to
// page and given the new page's commands; labels are made anew. Controls made before the
// window shows wait for their windows; meanwhile the window draws them itself, in the
// order their windows will lie.
#pragma once

#include "PointerArray.h"
#include "WindowSettings.h"

#include <windows.h>

class CCommandControl;
class CCommentControl;
class CControlHost;

class CPageControls {
public:
    explicit CPageControls(CControlHost& host);
    ~CPageControls();
    CPageControls(const CPageControls&) = delete;
    CPageControls& operator=(const CPageControls&) = delete;

    // The page's commands get their controls; with `wait`, the new ones wait for their windows.
    void Show(const CWindowSettings& page, bool wait);
    // Makes the windows of the controls that wait for them, taken as drawn.
    void MakeWaiting();
    // The controls that wait for their windows into `canvas` (the client area, `width` wide,
    // left to right), each where its window will be, when it reaches into `within`. A
    // `mirrored` window lays its children out right to left.
    void DrawWaiting(HDC canvas, int width, bool mirrored, HRGN within) const;
    // The command under the pointer is hovered and no other, as a move would show it.
    void HoverUnderPointer();
    // The live windows of the controls are destroyed, the controls deleted.
    void Destroy();

    int Count() const noexcept { return m_commandControls.Count() + m_commentControls.Count(); }
    const TObj::CPointerArray<CCommandControl, true>& Commands() const noexcept { return m_commandControls; }

private:
    void DestroyLabels();

    CControlHost& m_host; // not owned: the window the controls sit in
    TObj::CPointerArray<CCommandControl, true> m_commandControls;
    TObj::CPointerArray<CCommentControl, true> m_commentControls;
};
