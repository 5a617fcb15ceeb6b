// PictureVariants.h
// Holds the rule of a picture's scale variants on a page that scales as a whole: beside
// "button.png" may lie "button@1.25x.png", "button@1.5x.png" and "button@2x.png", drawn
// at 125, 150 and 200 % of the page's design. At a DPI the variant of the nearest scale at
// or above it is taken, else the largest there is; the picture itself counts as 100 %.
#pragma once

#include "UnicodeString.h"

#include <functional>

namespace PictureVariants {

// The scales a variant may have, in percent, ascending.
constexpr int kScales[] = {125, 150, 200};

// "C:\d\button.png" at 150 -> "C:\d\button@1.5x.png"; the picture itself at 100. A name
// without an extension gets the suffix at its end.
TObj::CUnicodeString NameAt(const TObj::CUnicodeString& path, int percent);

// The file to draw `path` from at `dpi`, and its scale in percent. `exists` is asked only
// for the variants that could be chosen, in the order of their preference.
TObj::CUnicodeString Choose(const TObj::CUnicodeString& path, int dpi,
                            const std::function<bool(const TObj::CUnicodeString&)>& exists, int& percent);

} // namespace PictureVariants
