// SystemLibrary.h
// Holds the loading of functions from system DLLs at run time, from System32 only. The
// launcher imports nothing statically that Windows does not protect as a known DLL, so no
// DLL placed beside it on a disc can be loaded in their stead.
#pragma once

namespace TObj {

// The function `name` of the system DLL `library` (loaded from System32 once), or null.
void* SystemFunction(const wchar_t* library, const char* name);

template <typename FFunction>
FFunction SystemFunctionAs(const wchar_t* library, const char* name)
{
    return reinterpret_cast<FFunction>(SystemFunction(library, name));
}

} // namespace TObj
