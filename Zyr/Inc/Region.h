// Region.h
// Holds ZYR::CRegion, the owner of one GDI region.
#pragma once

#include "GdiObject.h"

namespace ZYR {

class CRegion : public CGdiObject {
public:
    void CreateRect(const RECT& rect);
    HRGN Get() const noexcept { return static_cast<HRGN>(Handle()); }
};

} // namespace ZYR
