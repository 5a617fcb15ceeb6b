// ProgramPaths.h
// Holds the global names of the running program: its executable's full path, its folder
// (ending in a separator) and its name without folder and extension. Windows only.
#pragma once

#include "UnicodeString.h"

namespace TObj {

CUnicodeString GetProgramPath();
CUnicodeString GetProgramFolder();
CUnicodeString GetProgramName();

} // namespace TObj
