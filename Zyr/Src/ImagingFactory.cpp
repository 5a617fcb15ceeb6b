// The component's GUIDs are defined here, once for the library, so that no import library
// of it is linked: before the header, whose own include of the component's would define
// none.
#include <initguid.h>

#include "ImagingFactory.h"

#include "SystemLibrary.h"

namespace ZYR {

namespace {

using FCoInitializeEx = HRESULT(WINAPI*)(void*, DWORD);
using FCoCreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

} // namespace

HRESULT MakeFactory(CComPointer<IWICImagingFactory>& factory)
{
    const auto initialize = TObj::SystemFunctionAs<FCoInitializeEx>(L"ole32.dll", "CoInitializeEx");
    const auto create = TObj::SystemFunctionAs<FCoCreateInstance>(L"ole32.dll", "CoCreateInstance");
    if (initialize == nullptr || create == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE)
        return initialized;
    return create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                  reinterpret_cast<void**>(factory.Out()));
}

} // namespace ZYR
