// SystemHandles.h
// Holds the owners of kernel, file-search, module, registry and event-log handles, each a
// TObj::CUniqueHandle over the traits that say how the handle is given back.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace TObj {

// The traits of a handle that one function gives back, and that is null when missing, or
// INVALID_HANDLE_VALUE where the function that makes it says so.
template <class THandle, auto Release, bool EmptyIsInvalid = false>
struct CReleasedBy {
    using Handle = THandle;
    static Handle Empty() noexcept
    {
        if constexpr (EmptyIsInvalid)
            return INVALID_HANDLE_VALUE;
        else
            return nullptr;
    }
    static void Close(Handle handle) noexcept { Release(handle); }
};

using CKernelHandle = CUniqueHandle<CReleasedBy<HANDLE, &CloseHandle>>;     // events, processes
using CFileHandle = CUniqueHandle<CReleasedBy<HANDLE, &CloseHandle, true>>; // CreateFileW's
using CFindHandle = CUniqueHandle<CReleasedBy<HANDLE, &FindClose, true>>;
// Modules this code loaded itself; modules found with GetModuleHandle are only borrowed.
using CLoadedModule = CUniqueHandle<CReleasedBy<HMODULE, &FreeLibrary>>;
using CRegistryKeyHandle = CUniqueHandle<CReleasedBy<HKEY, &RegCloseKey>>;
using CEventSource = CUniqueHandle<CReleasedBy<HANDLE, &DeregisterEventSource>>;

} // namespace TObj
