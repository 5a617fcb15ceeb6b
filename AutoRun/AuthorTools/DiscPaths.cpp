#include "DiscPaths.h"

#include "FileSystem.h"

using TObj::CUnicodeString;

namespace DiscPaths {

bool IsInside(const CUnicodeString& path, const CUnicodeString& folder)
{
    CUnicodeString root = folder;
    if (!root.IsEmpty() && root[root.Length() - 1] != u'\\')
        root += u'\\';
    return path.Length() >= root.Length() - 1 && (path + u"\\").Left(root.Length()).EqualsNoCase(root);
}

bool HasUrlScheme(const CUnicodeString& text)
{
    int position = 0;
    while (position < text.Length() &&
           ((text[position] >= u'a' && text[position] <= u'z') || (text[position] >= u'A' && text[position] <= u'Z')))
        ++position;
    return position >= 2 && position < text.Length() && text[position] == u':';
}

bool ExistsOnDisc(CUnicodeString path)
{
    while (path.Length() > 3 && path[path.Length() - 1] == u'\\')
        path = path.Left(path.Length() - 1);
    return TObj::PathExists(path);
}

} // namespace DiscPaths
