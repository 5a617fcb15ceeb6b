// FileSystem.h
// Holds the path and file-system operations that ask Windows: normalisation to a full
// path, combination of a folder and a name, the existence tests, the current folder and the
// making of folders. Paths under the virtual prefix belong to the in-memory file system,
// which holds no files the launcher could name; and the first bytes of a file, by which a
// picture or icon file is told apart from others without decoding it.
#pragma once

#include "PathRules.h"

#include <cstddef>
#include <cstdint>

namespace TObj {

constexpr std::uint32_t kExistsInAnyWay = 0xFF00FF00;

// "\\Orvex\TalmoObjects\VirtualFiles$\" (any case).
bool IsVirtualPath(const CUnicodeString& path);

// GetFullPathNameW, retried with the size it asks for; empty stays empty; a failure throws
// a CFileException with the error and the path.
CUnicodeString NormalizePath(const CUnicodeString& path);
// JoinPath, with a drive-relative name resolved against that drive's current folder.
CUnicodeString CombinePath(const CUnicodeString& folder, const CUnicodeString& name);
CUnicodeString CombineAndNormalize(const CUnicodeString& folder, const CUnicodeString& name);

// kExistsInAnyWay asks whether anything is there; another mode (access and sharing bits of
// a file open mode) whether the file opens that way. Never throws; false for empty paths.
bool FileExists(const CUnicodeString& path, std::uint32_t mode = kExistsInAnyWay);
// Whether a file or folder of that name is there, asked of its attributes: no search, so
// several times quicker than FileExists, and wildcards name nothing. Never throws; false
// for empty and virtual paths.
bool PathExists(const CUnicodeString& path);
// Up to `count` of the file's first bytes into `buffer`; how many were read, 0 for a file
// that cannot be read.
std::size_t ReadFileStart(const CUnicodeString& path, void* buffer, std::size_t count) noexcept;
CUnicodeString GetCurrentFolder();
// The folder (a full path), and those of its parents that are missing. A failure throws a
// CFileException with the error and the folder, also for a file of that name.
void MakeFolders(const CUnicodeString& path);

} // namespace TObj
