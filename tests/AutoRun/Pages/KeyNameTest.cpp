#include "KeyName.h"

#include <gtest/gtest.h>

#include <string>

using TObj::CUnicodeString;

TEST(KeyName, ComposesPrefixAndNameAtEveryLength)
{
    // Names that fit the name's own buffer, that fill it exactly, and that outgrow it by
    // the prefix alone or only once the name is added.
    struct Case {
        int prefixLength;
        int nameLength;
    } cases[] = {{0, 0}, {0, 5}, {9, 4}, {18, 20}, {60, 4}, {64, 0}, {40, 30}, {65, 1}, {200, 300}};
    for (const Case& c : cases) {
        const std::u16string prefix(static_cast<std::size_t>(c.prefixLength), u'p');
        std::u16string name(static_cast<std::size_t>(c.nameLength), u'n');
        if (!name.empty())
            name.back() = u'z';
        const CKeyName key(CUnicodeString(prefix.c_str()), name.c_str());
        const std::u16string composed(key.Units(), static_cast<std::size_t>(key.Length()));
        EXPECT_EQ(prefix + name, composed) << c.prefixLength << "+" << c.nameLength;
    }
    const CKeyName plain(u"BackgroundHoverColor");
    EXPECT_EQ(std::u16string(u"BackgroundHoverColor"), std::u16string(plain.Units(), 20));
}
