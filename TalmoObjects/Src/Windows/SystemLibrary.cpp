#include "SystemLibrary.h"

#include <windows.h>

namespace TObj {

void* SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        // Systems without the search flags: an explicit System32 path.
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length + lstrlenW(library) + 2 > MAX_PATH)
            return nullptr;
        lstrcatW(path, L"\\");
        lstrcatW(path, library);
        module = LoadLibraryW(path);
    }
    return module != nullptr ? reinterpret_cast<void*>(GetProcAddress(module, name)) : nullptr;
}

} // namespace TObj
