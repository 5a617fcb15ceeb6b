// SystemHandles.h
// Holds the owners of kernel, file-search, module, registry and event-log handles, each a
// TObj::CUniqueHandle over the traits that say how the handle is given back.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace TObj {

// Handles that CloseHandle gives back and that are null when missing (events, processes).
struct CKernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { CloseHandle(handle); }
};

// CreateFileW's handles, which are INVALID_HANDLE_VALUE when missing.
struct CFileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseHandle(handle); }
};

struct CFindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { FindClose(handle); }
};

// Modules this code loaded itself; modules found with GetModuleHandle are only borrowed.
struct CLoadedModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { FreeLibrary(handle); }
};

struct CRegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { RegCloseKey(handle); }
};

struct CEventSourceTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { DeregisterEventSource(handle); }
};

using CKernelHandle = CUniqueHandle<CKernelHandleTraits>;
using CFileHandle = CUniqueHandle<CFileHandleTraits>;
using CFindHandle = CUniqueHandle<CFindHandleTraits>;
using CLoadedModule = CUniqueHandle<CLoadedModuleTraits>;
using CRegistryKeyHandle = CUniqueHandle<CRegistryKeyTraits>;
using CEventSource = CUniqueHandle<CEventSourceTraits>;

} // namespace TObj
