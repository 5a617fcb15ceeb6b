#include "PlainKeys.h"

using K = PageKeys::EKey;

namespace {

template <class T>
CPlainKey<T> Field(K key, TObj::CUnicodeString T::*field)
{
    CPlainKey<T> row{key};
    row.text = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, std::uint32_t T::*field)
{
    CPlainKey<T> row{key};
    row.colour = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, bool T::*field)
{
    CPlainKey<T> row{key};
    row.flag = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, double T::*field)
{
    CPlainKey<T> row{key};
    row.decimal = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, std::int32_t T::*field)
{
    CPlainKey<T> row{key};
    row.number = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, CPageRect T::*field)
{
    CPlainKey<T> row{key};
    row.rect = field;
    return row;
}

template <class T>
CPlainKey<T> Field(K key, CPageSize T::*field)
{
    CPlainKey<T> row{key};
    row.size = field;
    return row;
}

using W = CWindowSettings;
using C = CCommandSettings;

} // namespace

namespace PlainKeys {

const std::vector<CPlainKey<CWindowSettings>>& OfPage()
{
    static const std::vector<CPlainKey<W>> table = {
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
    return table;
}

const std::vector<CPlainKey<CCommandSettings>>& OfCommand()
{
    static const std::vector<CPlainKey<C>> table = {
        Field(K::CommandText, &C::text),
        Field(K::CommandHint, &C::hint),
        Field(K::CommandHintMargin, &C::hintMargin),
        Field(K::CommandComment, &C::comment),
        Field(K::CommandActionParameters, &C::actionParameters),
        Field(K::CommandTooltip, &C::tooltip),
    };
    return table;
}

} // namespace PlainKeys
