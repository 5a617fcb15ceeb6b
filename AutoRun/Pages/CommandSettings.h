// CommandSettings.h
// Holds CCommandSettings, one command of a page as the reader leaves it: its rectangle
// and text area, texts, fonts, colours, pictures, border, tooltip, and whether its condition
// shows it unusable. Read-only after the
// load; the pictures are owned here.
#pragma once

#include "CommandPicture.h"
#include "PageLayout.h"
#include "PageTypes.h"
#include "UnicodeString.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>

class CCommandSettings {
public:
    enum EState { kNormal = 0, kHover = 1, kClick = 2 };

    CPageRect rect;
    PageLayout::CTextArea textArea;
    std::int32_t fontSize = 0;
    TObj::CUnicodeString text;
    TObj::CUnicodeString fontName;
    TObj::CUnicodeString comment;
    TObj::CUnicodeString action;
    TObj::CUnicodeString actionParameters;
    TObj::CUnicodeString hint;
    std::int32_t hintFontSize = 0;
    std::int32_t hintMargin = 0;
    bool underlined = false;
    std::uint32_t notSelectedColor = 0;
    std::uint32_t selectedColor = 0;
    bool hasPictures = false;
    // Shared by every command and state that names the same file: each file is decoded once.
    // The normal picture is decoded when the pages are read, the others when first drawn.
    std::shared_ptr<const CCommandPicture> pictures[3];
    bool hasColors = false;
    std::uint32_t colors[3] = {0, 0, 0};
    std::int32_t borderWidth = 0;
    std::uint32_t borderColors[3] = {0, 0, 0};
    bool centered = false;
    TObj::CUnicodeString tooltip;
    // Its N in "Command<N>_".
    int number = 0;
    // Its condition does not hold and it is to be left out: it has no control, takes no
    // place in the column, and the page is laid out as if it were not there.
    bool hidden = false;
    // Its condition does not hold and it is to be shown unusable: drawn as a label is, no
    // click or key runs it and it is no tab stop, but it shows its comment and tooltip.
    bool disabled = false;

    // The client area its control's window will have, from (0, 0): what the control draws
    // into while that window is not made yet.
    RECT WaitingClientArea() const
    {
        return RECT{0, 0, PageLayout::Saturated(std::max<std::int64_t>(0, std::int64_t{rect.right} - rect.left)),
                    PageLayout::Saturated(std::max<std::int64_t>(0, std::int64_t{rect.bottom} - rect.top))};
    }
};
