#include "Brush.h"

#include "ZyrFailure.h"

namespace ZYR {

void CBrush::CreateSolidBrush(COLORREF color)
{
    Create([color] { return ::CreateSolidBrush(color); },
           CFailurePlace{u"ZYR::CBrush::CreateSolidBrush", u"brush != 0", u"gdiobjectzyr", 139});
}

void CBrush::SetSystemColor(int colorIndex)
{
    if (RequireEmpty())
        Attach(reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(colorIndex + 1)));
}

} // namespace ZYR
