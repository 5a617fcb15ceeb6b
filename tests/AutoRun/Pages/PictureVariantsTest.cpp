// Which variant of a picture a page that scales as a whole draws at each DPI, from the
// variants a disc has beside it.
#include "PictureVariants.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using TObj::CUnicodeString;

TEST(PictureVariants, TheNearestScaleAtOrAboveTheDpiElseTheLargest)
{
    EXPECT_EQ(U("D:\\I\\b@1.25x.png"), PictureVariants::NameAt(U("D:\\I\\b.png"), 125));
    EXPECT_EQ(U("D:\\I\\b@1.5x.bmp"), PictureVariants::NameAt(U("D:\\I\\b.bmp"), 150));
    EXPECT_EQ(U("D:\\I.d\\b@2x"), PictureVariants::NameAt(U("D:\\I.d\\b"), 200));
    EXPECT_EQ(U("b.x@2x.jpg"), PictureVariants::NameAt(U("b.x.jpg"), 200));
    const struct {
        int dpi;
        std::set<int> variants; // the scales beside "b.png"
        const char* chosen;
        int percent;
    } cases[] = {
        {96, {125, 150, 200}, "b.png", 100},
        {72, {200}, "b.png", 100},
        {120, {125, 150, 200}, "b@1.25x.png", 125},
        {120, {150, 200}, "b@1.5x.png", 150},
        {121, {125, 150}, "b@1.5x.png", 150},
        {144, {125, 200}, "b@2x.png", 200},
        {144, {125}, "b@1.25x.png", 125},
        {192, {125, 150}, "b@1.5x.png", 150},
        {192, {}, "b.png", 100},
        {288, {200}, "b@2x.png", 200},
        {0, {125}, "b.png", 100},
    };
    for (const auto& c : cases) {
        std::set<std::string> asked;
        int percent = 0;
        const CUnicodeString chosen = PictureVariants::Choose(
            U("b.png"), c.dpi,
            [&](const CUnicodeString& name) {
                asked.insert(name.ToUtf8());
                for (const int scale : c.variants)
                    if (name == PictureVariants::NameAt(U("b.png"), scale))
                        return true;
                return false;
            },
            percent);
        EXPECT_EQ(U(c.chosen), chosen) << c.dpi << " dpi";
        EXPECT_EQ(c.percent, percent) << c.dpi << " dpi";
        // At 96 dpi and below no file is looked for.
        if (c.dpi <= 96) {
            EXPECT_TRUE(asked.empty()) << c.dpi << " dpi";
        }
    }
}
