// ControlHost.h
// Holds CControlHost, what a page's controls ask of the window they sit in: their parent
// window, the comment to show, the page switches and the close their actions make, the
// hover that follows the pointer, the commands' pictures as stretched to their controls, and
// whether the author asked for outlines.
#pragma once

#include "StretchedPictures.h"
#include "UnicodeString.h"
#include "Window.h"

class CCommandControl;

class CControlHost {
public:
    // The parent of the controls' windows, and the owner of what their actions show.
    virtual ZYR::CWindow& HostWindow() noexcept = 0;
    // An empty text stands for the page's default comment.
    virtual void SetComment(const TObj::CUnicodeString& text) = 0;
    // `byKeyboard`, when the keyboard ran the command that leaves the page, gets the focus
    // back when the user comes back to it.
    virtual void GoToPage(const TObj::CUnicodeString& name, const CCommandControl* byKeyboard) = 0;
    virtual void GoBack(bool emptyHistoryIsError) = 0;
    // Closes the host's window, and with it the launcher.
    virtual void DestroyWindow() = 0;
    virtual ZYR::CStretchedPictures& StretchedPictures() noexcept = 0;
    // The command under the pointer is hovered and no other, as a move would show it: for
    // when the pointer's moves went elsewhere (a capture) or the page changed under it.
    virtual void HoverUnderPointer() = 0;
    // Whether the author asked a watching launcher to outline each command's rectangle and
    // text area (Ctrl+R).
    virtual bool ShowsOutlines() const noexcept = 0;

protected:
    ~CControlHost() = default;
};
