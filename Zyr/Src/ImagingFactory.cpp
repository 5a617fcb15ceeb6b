// The component's GUIDs are defined here, once for the library, so that no import library
// of it is linked: before the header, whose own include of the component's would define
// none.
#include <initguid.h>

#include "ImagingFactory.h"

namespace ZYR {

HRESULT MakeFactory(CComPointer<IWICImagingFactory>& factory)
{
    return MakeInProcessObject(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                               reinterpret_cast<void**>(factory.Out()));
}

} // namespace ZYR
