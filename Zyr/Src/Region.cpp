#include "Region.h"

#include "ReportPlaces.h"

namespace ZYR {

void CRegion::CreateRect(const RECT& rect)
{
    Create([&rect] { return ::CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom); }, Places::kCreateRectRgn);
}

} // namespace ZYR
