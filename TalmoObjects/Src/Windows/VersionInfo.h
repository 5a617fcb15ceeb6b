// VersionInfo.h
// Holds the reading of version resources: a string of a module's or file's version
// information under its first translation. Windows only.
#pragma once

#include "UnicodeString.h"

namespace TObj {

// The string `name` of the program's own version resource, or empty.
CUnicodeString ReadProgramVersionString(const WChar* name);
// The string `name` of the version resource of the file at `path`, or empty.
CUnicodeString ReadFileVersionString(const CUnicodeString& path, const WChar* name);

} // namespace TObj
