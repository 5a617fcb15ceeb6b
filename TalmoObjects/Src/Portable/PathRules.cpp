#include "PathRules.h"

namespace TObj {

namespace {

bool IsDriveLetter(WChar ch) { return (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z'); }

int FileNameStart(const CUnicodeString& path)
{
    int start = path.Length();
    while (start > 0 && !IsPathSeparator(path[start - 1]) && !(start == 2 && path[1] == u':'))
        --start;
    return start;
}

} // namespace

CUnicodeString StripLongPathPrefix(const CUnicodeString& path)
{
    if (path.Left(8).EqualsNoCase(CUnicodeString(u"\\\\?\\UNC\\")))
        return u"//" + path.Mid(8);
    if (path.StartsWith(CUnicodeString(u"\\\\?\\")))
        return path.Mid(4);
    return path;
}

EPathKind PathKindOf(const CUnicodeString& original)
{
    const CUnicodeString path = StripLongPathPrefix(original);
    if (IsPathSeparator(path[0]))
        return path[1] == path[0] ? kPathNetwork : kPathRootedOnDrive;
    if (IsDriveLetter(path[0]) && path[1] == u':')
        return IsPathSeparator(path[2]) ? kPathAbsolute : kPathDriveRelative;
    return kPathRelative;
}

CUnicodeString PathRoot(const CUnicodeString& original)
{
    const CUnicodeString path = StripLongPathPrefix(original);
    switch (PathKindOf(path)) {
    case kPathAbsolute: return path.Left(2) + u'\\';
    case kPathNetwork: {
        // Two leading separators, the server, the share, and one trailing separator.
        int at = 2;
        for (int parts = 0; parts < 2; ++parts) {
            while (at < path.Length() && !IsPathSeparator(path[at]))
                ++at;
            if (parts == 0 && at < path.Length())
                ++at;
        }
        return path.Left(at) + u'\\';
    }
    default: return CUnicodeString();
    }
}

CUnicodeString JoinPath(const CUnicodeString& folder, const CUnicodeString& name)
{
    switch (PathKindOf(name)) {
    case kPathRelative: {
        int end = folder.Length();
        while (end > 0 && IsPathSeparator(folder[end - 1]))
            --end;
        if (end == 0)
            return name;
        return folder.Left(end) + u'\\' + name;
    }
    case kPathRootedOnDrive: {
        const CUnicodeString root = PathRoot(folder);
        if (root.IsEmpty())
            return name;
        int skip = 0;
        while (IsPathSeparator(name[skip]))
            ++skip;
        return root + name.Mid(skip);
    }
    default: return StripLongPathPrefix(name);
    }
}

CUnicodeString FolderOf(const CUnicodeString& path) { return path.Left(FileNameStart(path)); }

CUnicodeString FileNameOf(const CUnicodeString& path) { return path.Mid(FileNameStart(path)); }

CUnicodeString FileStemOf(const CUnicodeString& path)
{
    const CUnicodeString name = FileNameOf(path);
    const int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Left(dot) : name;
}

CUnicodeString ExtensionOf(const CUnicodeString& path)
{
    const CUnicodeString name = FileNameOf(path);
    const int dot = name.ReverseFind(u'.');
    return dot > 0 ? name.Mid(dot) : CUnicodeString();
}

CUnicodeString ChangeExtension(const CUnicodeString& path, const CUnicodeString& extension)
{
    return path.Left(path.Length() - ExtensionOf(path).Length()) + extension;
}

} // namespace TObj
