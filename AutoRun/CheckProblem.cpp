#include "CheckProblem.h"

using TObj::CUnicodeString;

CUnicodeString CCheckProblem::Format(const CUnicodeString& discFolder) const
{
    CUnicodeString shown = file;
    if (!discFolder.IsEmpty() && file.Length() > discFolder.Length() &&
        file.Left(discFolder.Length()).EqualsNoCase(discFolder))
        shown = file.Mid(discFolder.Length());
    CUnicodeString result = shown;
    if (line > 0)
        result += CUnicodeString::Format(u":%d", line);
    result += u":";
    if (!section.IsEmpty())
        result += u" [" + section + u"]";
    if (!key.IsEmpty())
        result += u" " + key;
    if (!section.IsEmpty() || !key.IsEmpty())
        result += u":";
    return result + u" " + text;
}
