// PathRules.h
// Holds the string rules of paths, which need no file system: the five kinds of path,
// long-path prefixes, roots, joining a folder and a name, and the parts of a path.
// Backslash and slash both separate.
#pragma once

#include "UnicodeString.h"

namespace TObj {

enum EPathKind {
    kPathRelative = 0,      // dir\file
    kPathRootedOnDrive = 1, // \dir\file
    kPathNetwork = 2,       // \\server\share
    kPathDriveRelative = 3, // C:dir, C:
    kPathAbsolute = 4,      // C:\dir
};

constexpr bool IsPathSeparator(WChar ch) noexcept { return ch == u'\\' || ch == u'/'; }

// "\\?\UNC\" (any case) becomes "//"; "\\?\" is removed.
CUnicodeString StripLongPathPrefix(const CUnicodeString& path);
EPathKind PathKindOf(const CUnicodeString& path);
// "C:\", or "\\server\share\", or empty for paths of other kinds.
CUnicodeString PathRoot(const CUnicodeString& path);
// The joining rule for kinds 0, 1, 2 and 4 of `name`; a drive-relative name is returned
// unchanged, for the caller to resolve against that drive's current folder.
CUnicodeString JoinPath(const CUnicodeString& folder, const CUnicodeString& name);

// The folder part with its trailing separator ("C:\a\" of "C:\a\b.ini"), or empty.
CUnicodeString FolderOf(const CUnicodeString& path);
CUnicodeString FileNameOf(const CUnicodeString& path);
CUnicodeString FileStemOf(const CUnicodeString& path);
// The extension with its dot, or empty.
CUnicodeString ExtensionOf(const CUnicodeString& path);
CUnicodeString ChangeExtension(const CUnicodeString& path, const CUnicodeString& extension);

} // namespace TObj
