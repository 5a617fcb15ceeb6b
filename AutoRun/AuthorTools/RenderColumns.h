// RenderColumns.h
// Holds what "--render" makes of a disc with "-l:all" or "--dpi=all": its columns, each a
// render by the launcher started again into a sub-folder. With "-l:all" one for each page
// file a language reads (each language with a page file of its own, and the default page
// file for those without one), named by the language's locale; with "--dpi=all" one for
// each scale the check looks at, named "96dpi", "120dpi", ... And "index.html" beside them,
// one row for each page and state and one column for each render, with the pictures
// referenced relatively so the folder can be published as it is.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace RenderColumns {

struct CColumn {
    TObj::CUnicodeString option; // what the launcher is started with: "-l:<code>", "--dpi=<dpi>"
    TObj::CUnicodeString name;   // the sub-folder: a locale, "default", "language-<code>", "<dpi>dpi"
};

// The languages' columns; reads the root file beside the launcher, and a failure throws.
std::vector<CColumn> LanguageColumnsOf(const TObj::CUnicodeString& launcherFolder);
std::vector<CColumn> DpiColumns();

// The index of the pictures in each column's sub-folder of `folder`, its rows in the order
// the pictures were written.
TObj::CUnicodeString IndexPage(const TObj::CUnicodeString& folder, const std::vector<CColumn>& columns,
                               const TObj::CUnicodeString& title);

} // namespace RenderColumns
