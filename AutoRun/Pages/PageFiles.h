// PageFiles.h
// Holds the rules of the page files that the settings reader and the author's check share:
// which sections are pages, where the page files lie (the folder named by "Dir", the page
// file of a language, the default page file, the one a language reads), and whether a path names an existing file
// or folder.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace PageFiles {

// Every section but "Common", "AutoRun" and "Variables" (any case) is a page.
bool IsPageSection(const TObj::CUnicodeString& section);
// The folder named by `dir`, below the launcher's folder unless it is full, normalised.
TObj::CUnicodeString PageFolder(const TObj::CUnicodeString& launcherFolder, const TObj::CUnicodeString& dir);
// "Autorun<code>.ini" in the page folder.
TObj::CUnicodeString LanguagePageFile(const TObj::CUnicodeString& folder, int code);
// The codes (0..69) that have their page file in the page folder, in order.
std::vector<int> LanguageCodesIn(const TObj::CUnicodeString& folder);
// Where the root file beside the launcher puts the page files: its own path, the folder
// "Dir" names (empty without one) and the name "DefaultIniFile" gives. A root file that
// cannot be read throws.
struct CDiscLayout {
    TObj::CUnicodeString rootPath;
    TObj::CUnicodeString pageFolder;
    TObj::CUnicodeString defaultName;
};
CDiscLayout DiscLayoutOf(const TObj::CUnicodeString& launcherFolder);
// The codes of the disc's page folder; none without "Dir" or a root file that cannot be read.
std::vector<int> LanguageCodesOfDisc(const TObj::CUnicodeString& launcherFolder);
// The file named by "DefaultIniFile" in the page folder; empty for an empty name.
TObj::CUnicodeString DefaultPageFile(const TObj::CUnicodeString& folder, const TObj::CUnicodeString& defaultName);
// The page file read for language `code` (-1 for none) from the page folder: the
// language's own, else the default page file, else the root file. The files looked for in
// vain are added to `missing`.
TObj::CUnicodeString PageFileFor(const TObj::CUnicodeString& rootPath, const TObj::CUnicodeString& folder,
                                 const TObj::CUnicodeString& defaultName, int code,
                                 std::vector<TObj::CUnicodeString>& missing);

// A path value of a page file: slashes taken as backslashes, combined with the page file's
// folder, normalised.
TObj::CUnicodeString ResolvePath(const TObj::CUnicodeString& pageFilePath, const TObj::CUnicodeString& value);

bool IsExistingFile(const TObj::CUnicodeString& path);
bool IsExistingFolder(const TObj::CUnicodeString& path);

} // namespace PageFiles
