#include "PlainKeys.h"

#include <iterator>
#include <type_traits>

using K = PageKeys::EKey;

namespace {

// The row of `key`, with `field` in the slot of its type.
template <class T, class F>
constexpr CPlainKey<T> Field(K key, F T::*field)
{
    CPlainKey<T> row{key};
    if constexpr (std::is_same_v<F, TObj::CUnicodeString>)
        row.text = field;
    else if constexpr (std::is_same_v<F, std::uint32_t>)
        row.colour = field;
    else if constexpr (std::is_same_v<F, bool>)
        row.flag = field;
    else if constexpr (std::is_same_v<F, double>)
        row.decimal = field;
    else if constexpr (std::is_same_v<F, std::int32_t>)
        row.number = field;
    else if constexpr (std::is_same_v<F, CPageRect>)
        row.rect = field;
    else {
        static_assert(std::is_same_v<F, CPageSize>, "a plain key's field is of a type the reader reads");
        row.size = field;
    }
    return row;
}

using W = CWindowSettings;
using C = CCommandSettings;

} // namespace

namespace PlainKeys {

// Constant data: nothing runs to make the tables.
constexpr CPlainKey<W> kPage[] = {
    Field(K::BackgroundSize, &W::backgroundSize),
    Field(K::BackgroundColor, &W::backgroundColor),
    Field(K::Title, &W::title),
    Field(K::FontName, &W::fontName),
    Field(K::FontUnderlined, &W::underlined),
    Field(K::FontSelectedColor, &W::selectedColor),
    Field(K::FontNotSelectedColor, &W::notSelectedColor),
    Field(K::FontCommentColor, &W::commentColor),
    Field(K::FontUnusableColor, &W::unusableColor),
    Field(K::FontSize, &W::fontSize),
    Field(K::FontRatio, &W::fontRatio),
    Field(K::SpaceRatio, &W::spaceRatio),
    Field(K::CommentRect, &W::commentRect),
    Field(K::CommentDefault, &W::commentDefault),
};

constexpr CPlainKey<C> kCommand[] = {
    Field(K::CommandText, &C::text),
    Field(K::CommandHint, &C::hint),
    Field(K::CommandHintMargin, &C::hintMargin),
    Field(K::CommandComment, &C::comment),
    Field(K::CommandActionParameters, &C::actionParameters),
    Field(K::CommandTooltip, &C::tooltip),
};

CPlainKeyTable<CWindowSettings> OfPage() { return {std::begin(kPage), std::end(kPage)}; }

CPlainKeyTable<CCommandSettings> OfCommand() { return {std::begin(kCommand), std::end(kCommand)}; }

} // namespace PlainKeys
