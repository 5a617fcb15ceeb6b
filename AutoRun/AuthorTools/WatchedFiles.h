// WatchedFiles.h
// Holds what a watching launcher asks of the files its pages are made of: the folders to
// watch, a fingerprint that tells whether any of the files changed, whether a failed read
// met a file another program still holds, and the problem to show when a read fails.
#pragma once

#include "Exception.h"
#include "Settings.h"
#include "UnicodeString.h"

#include <cstdint>
#include <vector>

namespace WatchedFiles {

// The disc's folder, and each folder one of the files lies in (a page folder may lie off
// the disc), each once.
std::vector<TObj::CUnicodeString> Folders(const TObj::CUnicodeString& discFolder,
                                          const std::vector<TObj::CUnicodeString>& files);
// Sizes and last-write times of the files, 0 for a file that is not there.
std::vector<std::uint64_t> Fingerprint(const std::vector<TObj::CUnicodeString>& files);
// Whether the failure is a file that another program holds (a sharing or lock violation).
bool IsLockedFile(const TObj::CException& failure);
// The first problem the author's check of the disc finds that stops the launcher, in the
// check's words, with the number of the others; what was thrown when the check finds
// nothing that stops.
TObj::CUnicodeString ProblemText(const TObj::CException& failure, const CLoadEnvironment& environment);

} // namespace WatchedFiles
