#include "Brush.h"

#include "ZyrFailure.h"

namespace ZYR {

void CBrush::CreateSolidBrush(COLORREF color)
{
    if (!RequireEmpty())
        return;
    const HBRUSH brush = ::CreateSolidBrush(color);
    ZYR_CHECK(brush != nullptr, u"ZYR::CBrush::CreateSolidBrush", u"brush != 0", u"gdiobjectzyr", 139);
    Attach(brush);
}

void CBrush::CreatePatternBrush(HBITMAP bitmap)
{
    if (!RequireEmpty())
        return;
    const HBRUSH brush = ::CreatePatternBrush(bitmap);
    ZYR_CHECK(brush != nullptr, u"ZYR::CBrush::CreatePatternBrush", u"brush != 0", u"gdiobjectzyr", 153);
    Attach(brush);
}

void CBrush::SetSystemColor(int colorIndex)
{
    if (RequireEmpty())
        Attach(reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(colorIndex + 1)));
}

} // namespace ZYR
