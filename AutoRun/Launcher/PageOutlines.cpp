#include "PageOutlines.h"

#include "Brush.h"

namespace PageOutlines {

void Frame(HDC dc, const RECT& rect, COLORREF colour)
{
    ZYR::CBrush brush;
    brush.CreateSolidBrush(colour);
    FrameRect(dc, &rect, brush.Get());
}

} // namespace PageOutlines
