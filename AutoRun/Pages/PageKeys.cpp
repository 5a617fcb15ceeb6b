#include "PageKeys.h"

#include "PageRules.h"
#include "PageValues.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using TObj::CUnicodeString;

namespace PageKeys {

namespace {

using T = EValueType;

const CKeyInfo kWindowKeys[] = {
    {u"Background", T::Path},          {u"BackgroundSize", T::Size},        {u"BackgroundColor", T::Colour},
    {u"Title", T::Text},               {u"FontName", T::Text},              {u"FontCommentName", T::Text},
    {u"FontUnderlined", T::Boolean},   {u"FontSelectedColor", T::Colour},   {u"FontNotSelectedColor", T::Colour},
    {u"FontCommentColor", T::Colour},  {u"FontUnusableColor", T::Colour},   {u"FontSize", T::FontSize},
    {u"FontRatio", T::Decimal},        {u"SpaceRatio", T::Decimal},         {u"FontCommentSize", T::FontSize},
    {u"CommentRect", T::Rectangle},    {u"CommentDefault", T::TextWithBreaks}, {u"CommandsRect", T::Rectangle},
};

const CKeyInfo kCommandKeys[] = {
    {u"Text", T::Text},
    {u"Rect", T::Rectangle},
    {u"Hint", T::TextWithBreaks},
    {u"HintMargin", T::Integer},
    {u"Comment", T::TextWithBreaks},
    {u"Action64", T::Text},
    {u"Action", T::Text},
    {u"ActionParameters", T::Text},
    {u"LeftMargin", T::Integer},
    {u"RightMargin", T::Integer},
    {u"TopMargin", T::Integer},
    {u"BottomMargin", T::Integer},
    {u"FontName", T::Text},
    {u"FontSize", T::FontSize},
    {u"HintFontSize", T::FontSize},
    {u"FontUnderlined", T::Boolean},
    {u"FontSelectedColor", T::Colour},
    {u"FontNotSelectedColor", T::Colour},
    {u"BackgroundImage", T::Path},
    {u"BackgroundHoverImage", T::Path},
    {u"BackgroundClickImage", T::Path},
    {u"BackgroundColor", T::Colour},
    {u"BackgroundHoverColor", T::Colour},
    {u"BackgroundClickColor", T::Colour},
    {u"BorderWidth", T::Integer},
    {u"BorderColor", T::Colour},
    {u"BorderHoverColor", T::Colour},
    {u"BorderClickColor", T::Colour},
    {u"TextOrientation", T::Text},
    {u"Tooltip", T::TextWithBreaks},
};

const CKeyInfo kCommonKeys[] = {{u"Icon", T::Path}, {u"Dir", T::Text}, {u"DefaultIniFile", T::Text}};

template <std::size_t N>
const CKeyInfo* FindIn(const CKeyInfo (&table)[N], const CUnicodeString& name)
{
    for (const CKeyInfo& info : table)
        if (name.EqualsNoCase(CUnicodeString(info.name)))
            return &info;
    return nullptr;
}

char16_t Folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Edits between the two texts, case ignored, a swap of neighbours counting as one; stops
// counting once past `limit`.
int EditDistance(const CUnicodeString& a, const CUnicodeString& b, int limit)
{
    const int n = a.Length(), m = b.Length();
    if (std::abs(n - m) > limit)
        return limit + 1;
    std::vector<int> beforePrevious(m + 1), previous(m + 1), current(m + 1);
    for (int j = 0; j <= m; ++j)
        previous[j] = j;
    for (int i = 1; i <= n; ++i) {
        current[0] = i;
        int best = current[0];
        for (int j = 1; j <= m; ++j) {
            const bool same = Folded(a[i - 1]) == Folded(b[j - 1]);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && Folded(a[i - 1]) == Folded(b[j - 2]) && Folded(a[i - 2]) == Folded(b[j - 1]))
                current[j] = std::min(current[j], beforePrevious[j - 2] + 1);
            best = std::min(best, current[j]);
        }
        if (best > limit)
            return limit + 1;
        std::swap(beforePrevious, previous);
        std::swap(previous, current);
    }
    return previous[m];
}

template <std::size_t N>
CUnicodeString NearestIn(const CKeyInfo (&table)[N], const CUnicodeString& name, int& bestDistance)
{
    CUnicodeString best;
    for (const CKeyInfo& info : table) {
        const CUnicodeString candidate(info.name);
        // A third of the key's length, at least one and at most three edits, is a typo;
        // more is a different word.
        const int limit = std::max(1, std::min(3, candidate.Length() / 3));
        const int distance = EditDistance(name, candidate, limit);
        if (distance <= limit && distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

} // namespace

const CKeyInfo* FindWindowKey(const CUnicodeString& name) { return FindIn(kWindowKeys, name); }
const CKeyInfo* FindCommandKey(const CUnicodeString& nameAfterPrefix) { return FindIn(kCommandKeys, nameAfterPrefix); }

const CKeyInfo* FindCommonKey(const CUnicodeString& name, bool inRootFile)
{
    const CKeyInfo* info = FindIn(kCommonKeys, name);
    return info != nullptr && (inRootFile || info == &kCommonKeys[0]) ? info : nullptr;
}

bool SplitCommandKey(const CUnicodeString& key, int& number, CUnicodeString& rest)
{
    const CUnicodeString head(u"Command");
    if (key.Length() <= head.Length() || !key.Left(head.Length()).EqualsNoCase(head))
        return false;
    int position = head.Length();
    std::int64_t value = 0;
    while (position < key.Length() && IsDigit(key[position]) && value <= 1000000000) {
        value = value * 10 + (key[position] - u'0');
        ++position;
    }
    const int digits = position - head.Length();
    if (digits == 0 || key[head.Length()] == u'0' || value > 0x7FFFFFFF || position >= key.Length() ||
        key[position] != u'_' || position + 1 >= key.Length())
        return false;
    number = static_cast<int>(value);
    rest = key.Mid(position + 1);
    return true;
}

CUnicodeString NearestWindowKey(const CUnicodeString& key)
{
    int number = 0;
    CUnicodeString rest;
    int distance = 4;
    if (SplitCommandKey(key, number, rest)) {
        const CUnicodeString nearest = NearestIn(kCommandKeys, rest, distance);
        return nearest.IsEmpty() ? nearest : PageRules::CommandKeyPrefix(number) + nearest;
    }
    return NearestIn(kWindowKeys, key, distance);
}

bool Parses(EValueType type, const CUnicodeString& text, int dpiY)
{
    std::int32_t number = 0;
    std::uint32_t colour = 0;
    bool flag = false;
    double decimal = 0;
    CPageRect rect;
    CPageSize size;
    switch (type) {
    case T::Integer: return PageValues::ParseInteger(text, dpiY, number);
    case T::Colour: return PageValues::ParseColor(text, colour);
    case T::Boolean: return PageValues::ParseBool(text, flag);
    case T::Decimal: return PageValues::ParseDecimal(text, decimal);
    case T::Rectangle: return PageValues::ParseRect(text, dpiY, rect);
    case T::Size: return PageValues::ParseSize(text, dpiY, size);
    case T::FontSize: return PageValues::ParseFontSize(text, dpiY, number);
    case T::Text:
    case T::TextWithBreaks:
    case T::Path: return true;
    }
    return true;
}

const char* TypeName(EValueType type)
{
    switch (type) {
    case T::Integer: return "integer";
    case T::Colour: return "colour";
    case T::Boolean: return "boolean";
    case T::Decimal: return "decimal number";
    case T::Rectangle: return "rectangle";
    case T::Size: return "size";
    case T::FontSize: return "font size";
    case T::Text: return "text";
    case T::TextWithBreaks: return "text";
    case T::Path: return "path";
    }
    return "value";
}

} // namespace PageKeys
