// LanguageRenders.h
// Holds what "--render" with "-l:all" makes of a disc: its columns, one for each page file
// a language reads (each language with a page file of its own, and the default page file
// for those without one), each rendered into a sub-folder named by the language's locale;
// and "index.html" beside them, one row for each page and state and one column for each
// language, with the pictures referenced relatively so the folder can be published as it is.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace LanguageRenders {

struct CColumn {
    int code;                  // the language the launcher is started with
    TObj::CUnicodeString name; // its locale, "default" or "language-<code>": the sub-folder
};

// Reads the root file beside the launcher; a failure throws.
std::vector<CColumn> ColumnsOf(const TObj::CUnicodeString& launcherFolder);

// The index of the pictures in each column's sub-folder of `folder`, its rows in the order
// the pictures were written.
TObj::CUnicodeString IndexPage(const TObj::CUnicodeString& folder, const std::vector<CColumn>& columns,
                               const TObj::CUnicodeString& title);

} // namespace LanguageRenders
