#include "ComObjects.h"

#include "SystemLibrary.h"

namespace ZYR {

namespace {

using FCoInitializeEx = HRESULT(WINAPI*)(void*, DWORD);
using FCoCreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

} // namespace

HRESULT MakeInProcessObject(REFCLSID object, REFIID face, void** out)
{
    const auto initialize = TObj::SystemFunctionAs<FCoInitializeEx>(L"ole32.dll", "CoInitializeEx");
    const auto create = TObj::SystemFunctionAs<FCoCreateInstance>(L"ole32.dll", "CoCreateInstance");
    if (initialize == nullptr || create == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE)
        return initialized;
    return create(object, nullptr, CLSCTX_INPROC_SERVER, face, out);
}

} // namespace ZYR
