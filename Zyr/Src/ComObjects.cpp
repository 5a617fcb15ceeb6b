#include "ComObjects.h"

#include "SystemLibrary.h"

namespace ZYR {

namespace {

using FCoInitializeEx = HRESULT(WINAPI*)(void*, DWORD);
using FCoCreateInstance = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);

} // namespace

HRESULT InitializeComHere()
{
    const auto initialize = TObj::SystemFunctionAs<FCoInitializeEx>(L"ole32.dll", "CoInitializeEx");
    if (initialize == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    const HRESULT initialized = initialize(nullptr, COINIT_APARTMENTTHREADED);
    return FAILED(initialized) && initialized != RPC_E_CHANGED_MODE ? initialized : S_OK;
}

HRESULT MakeInProcessObject(REFCLSID object, REFIID face, void** out)
{
    const auto create = TObj::SystemFunctionAs<FCoCreateInstance>(L"ole32.dll", "CoCreateInstance");
    if (create == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    const HRESULT initialized = InitializeComHere();
    return FAILED(initialized) ? initialized : create(object, nullptr, CLSCTX_INPROC_SERVER, face, out);
}

} // namespace ZYR
