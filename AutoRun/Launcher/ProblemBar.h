// ProblemBar.h
// Holds CProblemBar, the bar across the top of the main window in which a watching launcher
// says why the pages it last read again cannot be shown: white text on dark red, readable
// on any page, above every command.
#pragma once

#include "UnicodeString.h"
#include "Window.h"

class CProblemBar : public ZYR::CWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    // Shows the text across the top of the parent's client area, over its other children.
    void Show(ZYR::CWindow& parent, const TObj::CUnicodeString& text);
    void Hide();
    const TObj::CUnicodeString& Text() const noexcept { return m_text; }

    // Around the text on every side.
    static constexpr int kPadding = 6;

protected:
    void Draw(HDC target);

private:
    TObj::CUnicodeString m_text;
};
