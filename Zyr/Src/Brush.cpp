#include "Brush.h"

#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

void CBrush::CreateSolidBrush(COLORREF color)
{
    Create([color] { return ::CreateSolidBrush(color); }, Places::kCreateSolidBrush);
}

void CBrush::SetSystemColor(int colorIndex)
{
    if (RequireEmpty())
        Attach(reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(colorIndex + 1)));
}

} // namespace ZYR
