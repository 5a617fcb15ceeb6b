// Brush.h
// Holds ZYR::CBrush, the owner of one brush: a solid colour, a bitmap pattern, or a
// system colour (an index that is never deleted).
#pragma once

#include "GdiObject.h"

namespace ZYR {

class CBrush : public CGdiObject {
public:
    void CreateSolidBrush(COLORREF color);
    // A system-colour brush: the colour index + 1, as window classes take it.
    void SetSystemColor(int colorIndex);
    HBRUSH Get() const noexcept { return static_cast<HBRUSH>(Handle()); }
};

} // namespace ZYR
