// WindowSettings.h
// Holds CWindowSettings, one page (window section) as the reader leaves it: background,
// title, fonts and colours, the comment area, its commands in number order, and what
// their conditions decided.
#pragma once

#include "CommandSettings.h"
#include "PageCondition.h"
#include "PointerArray.h"

#include <vector>

class CWindowSettings {
public:
    TObj::CUnicodeString name;
    // The DPI a page that scales as a whole (ScaleWithDpi) is read at, its pictures drawn
    // at; 0 for a page whose pixel values and pictures keep their pixels.
    int scaleDpi = 0;
    TObj::CUnicodeString backgroundPath;
    CPageSize backgroundSize;
    std::uint32_t backgroundColor = kNoColor;
    TObj::CUnicodeString title;
    TObj::CUnicodeString fontName;
    TObj::CUnicodeString commentFontName;
    bool underlined = false;
    std::uint32_t selectedColor = 0;
    std::uint32_t notSelectedColor = 0;
    std::uint32_t commentColor = 0;
    std::uint32_t unusableColor = 0;
    std::int32_t fontSize = 0;
    double fontRatio = 1.8;
    double spaceRatio = 0.6;
    std::int32_t commentFontSize = 0;
    CPageRect commentRect;
    TObj::CUnicodeString commentDefault;
    // Every command, those a condition hides too (marked so).
    TObj::CPointerArray<CCommandSettings, true> commands;
    // Every condition of the page's commands, with what it decided when the page was read:
    // the page is read again once one decides otherwise.
    struct CDecision {
        CPageCondition condition;
        bool held;
        int number;                // the command's N
        TObj::CUnicodeString text; // as written
        bool disables;             // what a condition that does not hold does: disable, or hide
    };
    std::vector<CDecision> decisions;
};
