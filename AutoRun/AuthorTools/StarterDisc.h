// StarterDisc.h
// Holds the starter disc that "--new" writes: the launcher itself, "Autorun.inf" with the
// [AutoRun] section Windows reads, an English and a German page file, the files its
// commands open, and a README.txt naming the keys to change first. It checks clean and
// opens in the launcher as it is.
#pragma once

#include "UnicodeString.h"

namespace StarterDisc {

// Writes the disc into `folder`, made when missing, from the launcher at `launcherPath`.
// Refuses a folder that holds anything: the reason, or empty once every file is written.
// A file that cannot be written throws.
TObj::CUnicodeString Write(const TObj::CUnicodeString& folder, const TObj::CUnicodeString& launcherPath);

} // namespace StarterDisc
