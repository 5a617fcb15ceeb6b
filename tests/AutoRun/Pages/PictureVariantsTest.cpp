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
    for (const auto& row : ReadTable("tests/data/picture-variants.tsv")) {
        const int dpi = std::stoi(row.at(0));
        std::set<std::string> asked;
        int percent = 0;
        const CUnicodeString chosen = PictureVariants::Choose(
            U("b.png"), dpi,
            [&](const CUnicodeString& name) {
                asked.insert(name.ToUtf8());
                for (const int scale : Numbers(row.at(1)))
                    if (name == PictureVariants::NameAt(U("b.png"), scale))
                        return true;
                return false;
            },
            percent);
        EXPECT_EQ(U(row.at(2).c_str()), chosen) << dpi << " dpi";
        EXPECT_EQ(std::stoi(row.at(3)), percent) << dpi << " dpi";
        // At 96 dpi and below no file is looked for.
        if (dpi <= 96) {
            EXPECT_TRUE(asked.empty()) << dpi << " dpi";
        }
    }
}
