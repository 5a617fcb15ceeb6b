// ScaleCheck.h
// Holds what the author's check asks of a page that may be shown at any DPI:
//  - whether a command's text and hint fit its text area in their fonts, measured by the
//    system as the command draws them;
//  - the first value of a page that grows with the DPI ("rel") while its picture keeps its
//    pixels, so that the page does not stay in one piece;
//  - whether the scale variants beside a picture have the sizes their names promise.
#pragma once

#include "CommandSettings.h"
#include "UnicodeString.h"

#include <vector>

namespace TObj {
class CIniFile;
}

namespace ScaleCheck {

// What of the command's text is cut, and by how much; empty when it all shows.
TObj::CUnicodeString TextProblem(const CCommandSettings& command);

// The first key of the page's section whose value ends in "rel" (a rectangle, size, integer
// or font size), or empty.
TObj::CUnicodeString FirstRelativeKey(TObj::CIniFile& file, const TObj::CUnicodeString& section);

// What is wrong with the variants beside the picture at `path` on a page that scales as a
// whole: each whose size is not its scale's share of the picture's, or that it has none.
std::vector<TObj::CUnicodeString> VariantProblems(const TObj::CUnicodeString& path);

} // namespace ScaleCheck
