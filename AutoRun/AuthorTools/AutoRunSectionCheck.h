// AutoRunSectionCheck.h
// Holds the author's check of the root file's [AutoRun] section, which Windows reads and
// the launcher does not: "open=" (or "shellexecute=") starts this launcher, "icon=" names
// an icon Explorer can show, "label=" names the drive; and, with any of these findings, the
// one note that a USB stick's users start the launcher by hand.
#pragma once

#include "PageFinding.h"
#include "Settings.h"

#include <vector>

namespace TObj {
class CIniFile;
}

namespace AutoRunSectionCheck {

// Nothing for a root file without the section: a folder on a network share needs none.
std::vector<CPageFinding> Check(TObj::CIniFile& root, const TObj::CUnicodeString& rootPath,
                                const CLoadEnvironment& environment);

} // namespace AutoRunSectionCheck
