// DiscPaths.h
// Holds the path questions of the author's check: whether a path lies inside a folder,
// whether a command's target is an address with a scheme, and whether a file or folder is
// on the disc.
#pragma once

#include "UnicodeString.h"

namespace DiscPaths {

// Whether `path` is `folder` or lies below it; both full and normalised, compared in any case.
bool IsInside(const TObj::CUnicodeString& path, const TObj::CUnicodeString& folder);
// "http:", "mailto:" and the like: two or more letters before the colon, so "C:" is a drive.
bool HasUrlScheme(const TObj::CUnicodeString& text);
// A file or a folder; a folder may be named with its closing backslash.
bool ExistsOnDisc(TObj::CUnicodeString path);

} // namespace DiscPaths
