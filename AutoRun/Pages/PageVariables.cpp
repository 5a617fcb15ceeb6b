#include "PageVariables.h"

#include <cstdint>

using TObj::CUnicodeString;

void CPageVariables::Define(const CUnicodeString& name, const CUnicodeString& rawValue)
{
    CUnicodeString value = Expand(rawValue);
    m_values[name] = value;
}

const CUnicodeString* CPageVariables::Find(const CUnicodeString& name) const
{
    const auto found = m_values.find(name);
    return found == m_values.end() ? nullptr : &found->second;
}

CUnicodeString CPageVariables::Expand(const CUnicodeString& value, bool* capped) const
{
    static const CUnicodeString opener(u"$(");
    if (capped != nullptr)
        *capped = false;
    if (m_values.empty() || value.Find(opener) < 0)
        return value;
    CUnicodeString result;
    int position = 0;
    for (;;) {
        const int open = value.Find(opener, position);
        if (open < 0)
            break;
        const int close = value.Find(u')', open + 2);
        if (close < 0)
            break;
        const CUnicodeString* text = Find(value.Mid(open + 2, close - open - 2));
        const bool fits = text != nullptr && static_cast<std::int64_t>(result.Length()) + (open - position) +
                                                     text->Length() + (value.Length() - close - 1) <=
                                                 kMaxExpandedLength;
        if (text != nullptr && !fits && capped != nullptr)
            *capped = true;
        if (fits) {
            result += value.Mid(position, open - position);
            result += *text;
        } else {
            result += value.Mid(position, close + 1 - position);
        }
        position = close + 1;
    }
    result += value.Mid(position);
    return result;
}
