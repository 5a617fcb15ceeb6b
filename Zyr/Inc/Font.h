// Font.h
// Holds ZYR::CFont, the owner of one font. Every font of the launcher is made the same
// way: a height, underlined or not, a face name, and nothing else chosen.
#pragma once

#include "GdiObject.h"
#include "UnicodeString.h"

namespace ZYR {

class CFont : public CGdiObject {
public:
    // CreateFontW(height, 0, 0, 0, FW_DONTCARE, no italic, underline, no strike-out,
    // DEFAULT_CHARSET, default precisions and quality, VARIABLE_PITCH | FF_SWISS, face).
    void CreateFontW(int height, bool underline, const TObj::CUnicodeString& face);
    void CreateFontIndirectW(const LOGFONTW& logFont);
    LOGFONTW GetLogFont() const;
    HFONT Get() const noexcept { return static_cast<HFONT>(Handle()); }
};

} // namespace ZYR
