// ResourceModules.h
// Holds FindResourceModule, the one search for a resource other than a message text: the
// resource DLLs of the interface language first, then the registered modules, last
// registered first, then the program itself.
#pragma once

#include <windows.h>

namespace TObj {

// The module that holds a resource of `type` named `name`; null when none does.
HMODULE FindResourceModule(const wchar_t* type, const wchar_t* name);

} // namespace TObj
