#include "PageFinding.h"

using TObj::CUnicodeString;

const CUnicodeString CPageFinding::kStopsWith(u"the launcher stops with: ");
const CUnicodeString CPageFinding::kStopsWithInternalError(u"; the launcher stops with an internal error");

CUnicodeString CPageFinding::UnreadablePicture(const CUnicodeString& path)
{
    return u"the picture " + Quoted(path) + u" cannot be read as a picture (a bitmap, PNG or JPEG)";
}

CUnicodeString CPageFinding::Quoted(const CUnicodeString& text) { return u"\"" + text + u"\""; }

CPageFinding CPageFinding::At(const CUnicodeString& file, int line, const CUnicodeString& section,
                              const CUnicodeString& key, const CUnicodeString& text)
{
    CPageFinding finding;
    finding.file = file;
    finding.line = line;
    finding.section = section;
    finding.key = key;
    finding.text = text;
    return finding;
}

CUnicodeString CPageFinding::ShownPath(const CUnicodeString& path, const CUnicodeString& discFolder)
{
    if (!discFolder.IsEmpty() && path.Length() > discFolder.Length() &&
        path.Left(discFolder.Length()).EqualsNoCase(discFolder))
        return path.Mid(discFolder.Length());
    return path;
}

CUnicodeString CPageFinding::Format(const CUnicodeString& discFolder) const
{
    CUnicodeString result = ShownPath(file, discFolder);
    if (line > 0)
        result += CUnicodeString::Format(u":%d", line);
    result += u":";
    if (!section.IsEmpty())
        result += u" [" + section + u"]";
    if (!key.IsEmpty())
        result += u" " + key;
    if (!section.IsEmpty() || !key.IsEmpty())
        result += u":";
    // One problem, one line: a message of several lines is joined.
    CUnicodeString oneLine = text;
    oneLine.ReplaceAll(CUnicodeString(u"\r\n"), CUnicodeString(u" "));
    oneLine.ReplaceAll(CUnicodeString(u"\n"), CUnicodeString(u" "));
    return result + u" " + oneLine;
}
