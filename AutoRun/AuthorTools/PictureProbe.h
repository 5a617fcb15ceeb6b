// PictureProbe.h
// Holds what the author's check asks of a page's pictures before the launcher meets them:
// whether Windows reads a bitmap or an icon file, a bitmap's size, how many bytes a bitmap
// file lacks of what its header promises, and whether Explorer finds a drive's icon.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <cstdint>

namespace PictureProbe {

// The picture's size, or false when Windows cannot load it as a bitmap.
bool BitmapSize(const TObj::CUnicodeString& path, SIZE& size);
// Some Windows versions load a picture whose file is shorter than its header says, with the
// missing rows black, and others refuse it; the check names it either way. How many bytes
// the file lacks, kCutInsideHeader for a bitmap file cut before its header tells, or 0.
constexpr std::int64_t kCutInsideHeader = -1;
std::int64_t MissingBitmapBytes(const TObj::CUnicodeString& path);
// Whether Windows loads the file as a small icon, as the launcher does for its window.
bool IsReadableIcon(const TObj::CUnicodeString& path);
// Whether the icon file, or the program or library holding icons, has the icon at `index`
// (a negative one is a resource number), as Explorer reads a drive's "icon=".
bool HasIconAt(const TObj::CUnicodeString& path, int index);

} // namespace PictureProbe
