#include "PageKeys.h"

#include "PageRules.h"
#include "PageValues.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

using TObj::CUnicodeString;

namespace PageKeys {

namespace {

using T = EValueType;
using S = EScope;
using K = EKey;
constexpr double kFollows = std::numeric_limits<double>::quiet_NaN(); // the default follows other keys
constexpr double kNone = 4294967295.0;                                // no colour

// clang-format off
const CPageKey kTable[] = {
    {K::Icon, u"Icon", S::Common, T::Path, 0, "none", "The window's icon file."},
    {K::Dir, u"Dir", S::Common, T::Text, 0, "empty", "The folder of the page files (in `Autorun.inf` only)."},
    {K::DefaultIniFile, u"DefaultIniFile", S::Common, T::Text, 0, "`Autorun0.ini`",
     "The page file for languages without their own (in `Autorun.inf` only)."},
    {K::CommonScaleWithDpi, u"ScaleWithDpi", S::Common, T::Boolean, 0, "false",
     "Every page is designed at 96 dpi and scales as a whole with the screen (see Scaling)."},

    {K::ScaleWithDpi, u"ScaleWithDpi", S::Window, T::Boolean, kFollows, "`[Common]`'s",
     "This page is designed at 96 dpi and scales as a whole with the screen (see Scaling)."},

    {K::Background, u"Background", S::Window, T::Path, 0, "none", "The page's picture (a bitmap, PNG or JPEG file). The window takes its size."},
    {K::BackgroundSize, u"BackgroundSize", S::Window, T::Size, 0, "`[0, 0]`", "Client size when there is no picture."},
    {K::BackgroundColor, u"BackgroundColor", S::Window, T::Colour, kNone, "none", "Fill colour when there is no picture."},
    {K::Title, u"Title", S::Window, T::Text, 0, "empty", "The window title."},
    {K::FontName, u"FontName", S::Window, T::Text, 0, "empty", "Face of the command font."},
    {K::FontSize, u"FontSize", S::Window, T::FontSize, 0, "0", "Size of the command font."},
    {K::FontUnderlined, u"FontUnderlined", S::Window, T::Boolean, 0, "false", "Command texts underlined."},
    {K::FontSelectedColor, u"FontSelectedColor", S::Window, T::Colour, 0, "black", "Text colour of the command under the mouse."},
    {K::FontNotSelectedColor, u"FontNotSelectedColor", S::Window, T::Colour, 0, "black",
     "Text colour of commands that have an action."},
    {K::FontUnusableColor, u"FontUnusableColor", S::Window, T::Colour, 0, "black",
     "Text colour of commands without an action (labels)."},
    {K::FontCommentName, u"FontCommentName", S::Window, T::Text, 0, "`FontName`", "Face of the comment font."},
    {K::FontCommentSize, u"FontCommentSize", S::Window, T::FontSize, kFollows, "`FontSize`", "Size of the comment font."},
    {K::FontCommentColor, u"FontCommentColor", S::Window, T::Colour, 0, "black", "Colour of the comment text."},
    {K::CommentRect, u"CommentRect", S::Window, T::Rectangle, 0, "`[0, 0, 0, 0]`", "Where the comment is drawn."},
    {K::CommentDefault, u"CommentDefault", S::Window, T::TextWithBreaks, 0, "empty", "The comment while no command is selected."},
    {K::CommandsRect, u"CommandsRect", S::Window, T::Rectangle, 0, "`[0, 0, 0, 0]`",
     "The column of commands without their own `Rect`: its left, top and right edges."},
    {K::FontRatio, u"FontRatio", S::Window, T::Decimal, 1.8, "1.8", "Height of such a command, as a multiple of `FontSize`."},
    {K::SpaceRatio, u"SpaceRatio", S::Window, T::Decimal, 0.6, "0.6", "Gap between such commands, as a multiple of `FontSize`."},

    {K::CommandText, u"Text", S::Command, T::Text, 0, "empty", "The command's text."},
    {K::CommandRect, u"Rect", S::Command, T::Rectangle, kFollows, "the next place in `CommandsRect`",
     "Where the command is, in window coordinates."},
    {K::CommandAction, u"Action", S::Command, T::Text, 0, "empty", "What a click does (below). Without one the command is a label."},
    {K::CommandAction64, u"Action64", S::Command, T::Text, 0, "empty", "Used instead of `Action` on 64-bit Windows."},
    {K::CommandActionParameters, u"ActionParameters", S::Command, T::Text, 0, "empty",
     "Parameters for a program or document action."},
    {K::CommandComment, u"Comment", S::Command, T::TextWithBreaks, 0, "empty",
     "Shown in `CommentRect` while the command is selected."},
    {K::CommandTooltip, u"Tooltip", S::Command, T::TextWithBreaks, 0, "empty", "The command's tooltip."},
    {K::CommandHint, u"Hint", S::Command, T::TextWithBreaks, 0, "empty", "A second, smaller line under the text."},
    {K::CommandHintMargin, u"HintMargin", S::Command, T::Integer, 5, "5", "Gap between text and hint."},
    {K::CommandHintFontSize, u"HintFontSize", S::Command, T::FontSize, kFollows, "the command's `FontSize`", "Size of the hint."},
    {K::CommandLeftMargin, u"LeftMargin", S::Command, T::Integer, 0, "0", "Inner margin of the text at the left."},
    {K::CommandTopMargin, u"TopMargin", S::Command, T::Integer, 0, "0", "Inner margin of the text at the top."},
    {K::CommandRightMargin, u"RightMargin", S::Command, T::Integer, 0, "0",
     "Inner margin of the text at the right. Margins wider than the command stop the launcher."},
    {K::CommandBottomMargin, u"BottomMargin", S::Command, T::Integer, 0, "0",
     "Inner margin of the text at the bottom. Margins taller than the command stop the launcher."},
    {K::CommandFontName, u"FontName", S::Command, T::Text, 0, "the page's", "This command's own font face."},
    {K::CommandFontSize, u"FontSize", S::Command, T::FontSize, kFollows, "the page's", "This command's own font size."},
    {K::CommandFontUnderlined, u"FontUnderlined", S::Command, T::Boolean, kFollows, "the page's", "This command's text underlined."},
    {K::CommandFontSelectedColor, u"FontSelectedColor", S::Command, T::Colour, kFollows, "the page's",
     "This command's text colour under the mouse."},
    {K::CommandFontNotSelectedColor, u"FontNotSelectedColor", S::Command, T::Colour, kFollows, "the page's",
     "This command's text colour otherwise (`FontUnusableColor` for a label)."},
    {K::CommandTextOrientation, u"TextOrientation", S::Command, T::Text, 0, "not centred", "`center` centres the text."},
    {K::CommandBackgroundImage, u"BackgroundImage", S::Command, T::Path, 0, "none", "Picture of the command."},
    {K::CommandBackgroundHoverImage, u"BackgroundHoverImage", S::Command, T::Path, 0, "`BackgroundImage`",
     "Picture under the mouse."},
    {K::CommandBackgroundClickImage, u"BackgroundClickImage", S::Command, T::Path, 0, "the hover picture",
     "Picture while pressed."},
    {K::CommandBackgroundColor, u"BackgroundColor", S::Command, T::Colour, kNone, "none", "Fill instead of pictures (not both)."},
    {K::CommandBackgroundHoverColor, u"BackgroundHoverColor", S::Command, T::Colour, kNone, "`BackgroundColor`",
     "Fill under the mouse; needs `BackgroundColor`."},
    {K::CommandBackgroundClickColor, u"BackgroundClickColor", S::Command, T::Colour, kNone, "the hover colour",
     "Fill while pressed; needs `BackgroundColor`."},
    {K::CommandBorderWidth, u"BorderWidth", S::Command, T::Integer, -1, "none", "A border this wide; needs `BorderColor`."},
    {K::CommandBorderColor, u"BorderColor", S::Command, T::Colour, kNone, "none", "The border's colour."},
    {K::CommandBorderHoverColor, u"BorderHoverColor", S::Command, T::Colour, kNone, "`BorderColor`",
     "The border's colour under the mouse."},
    {K::CommandBorderClickColor, u"BorderClickColor", S::Command, T::Colour, kNone, "the hover colour",
     "The border's colour while pressed."},
    {K::CommandIf, u"If", S::Command, T::Text, 0, "none",
     "A condition on the machine (see Conditions); where it does not hold, `IfFalse` applies."},
    {K::CommandIfFalse, u"IfFalse", S::Command, T::Text, 0, "`hide`",
     "`hide`: the command is left out; `disable`: it shows unusable, with its comment and tooltip."},
};
// clang-format on
static_assert(sizeof kTable / sizeof kTable[0] == static_cast<std::size_t>(EKey::Count), "a row for every key");

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

CUnicodeString NearestIn(EScope scope, const CUnicodeString& name, int& bestDistance)
{
    CUnicodeString best;
    for (const CPageKey& info : kTable) {
        if (info.scope != scope)
            continue;
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

const CPageKey& Key(EKey key) { return kTable[static_cast<int>(key)]; }

const CPageKey* Table() { return kTable; }

const CPageKey* Find(EScope scope, const CUnicodeString& name, bool inRootFile)
{
    for (const CPageKey& info : kTable)
        if (info.scope == scope && name.EqualsNoCase(CUnicodeString(info.name)))
            return inRootFile || (info.key != EKey::Dir && info.key != EKey::DefaultIniFile) ? &info : nullptr;
    return nullptr;
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
        const CUnicodeString nearest = NearestIn(EScope::Command, rest, distance);
        return nearest.IsEmpty() ? nearest : PageRules::CommandKeyPrefix(number) + nearest;
    }
    return NearestIn(EScope::Window, key, distance);
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
