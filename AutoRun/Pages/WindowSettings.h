// WindowSettings.h
// Holds CWindowSettings, one page (window section) as the reader leaves it: background,
// title, fonts and colours, the comment area, and its commands in number order.
#pragma once

#include "CommandSettings.h"
#include "PointerArray.h"

class CWindowSettings {
public:
    TObj::CUnicodeString name;
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
    TObj::CPointerArray<CCommandSettings, true> commands;
};
