// ControlHost.h
// Holds CControlHost, what a page's controls ask of the window they sit in: their parent
// window, the comment to show, the page switches and the close their actions make, and
// the commands' pictures as stretched to their controls.
#pragma once

#include "StretchedPictures.h"
#include "UnicodeString.h"
#include "Window.h"

class CControlHost {
public:
    // The parent of the controls' windows, and the owner of what their actions show.
    virtual ZYR::CWindow& HostWindow() noexcept = 0;
    // An empty text stands for the page's default comment.
    virtual void SetComment(const TObj::CUnicodeString& text) = 0;
    virtual void GoToPage(const TObj::CUnicodeString& name) = 0;
    virtual void GoBack(bool emptyHistoryIsError) = 0;
    // Closes the host's window, and with it the launcher.
    virtual void DestroyWindow() = 0;
    virtual ZYR::CStretchedPictures& StretchedPictures() noexcept = 0;

protected:
    ~CControlHost() = default;
};
