#include "PageLayout.h"

#include "TestText.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

using PageLayout::ETextArea;

TEST(PageLayout, DefaultRectanglesStopAtTheEdgeOfTheRange)
{
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const CPageRect near{0, 0, 10, max - 50};
    const CPageRect next = PageLayout::NextDefaultRect(near, 100, 100);
    EXPECT_EQ(max, next.top);
    EXPECT_EQ(max, next.bottom);
    const CPageRect up =
        PageLayout::FirstDefaultRect(CPageRect{0, std::numeric_limits<std::int32_t>::min() + 5, 1, 0}, -100);
    EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), up.bottom);
}

TEST(PageLayout, DefaultStepsAndTextAreasAsTheTableSays)
{
    const std::map<std::string, ETextArea> results{{"Ok", ETextArea::Ok},
                                                   {"NoWidth", ETextArea::NoWidth},
                                                   {"NoHeight", ETextArea::NoHeight},
                                                   {"OutOfRange", ETextArea::OutOfRange}};
    for (const auto& row : ReadTable("tests/data/page-layout.tsv")) {
        SCOPED_TRACE(row.at(1) + " " + row.at(2));
        if (row[0] == "step") {
            std::int32_t value = -1;
            EXPECT_EQ(row.at(3) == "1", PageLayout::DefaultStep(std::stoi(row[1]), std::stod(row[2]), value));
            EXPECT_EQ(std::stoi(row.at(4)), value);
            continue;
        }
        const std::vector<std::int32_t> r = Numbers(row[1]), margins = Numbers(row[2]);
        PageLayout::CTextArea area{-9, -9, -9, -9};
        EXPECT_EQ(results.at(row.at(3)),
                  PageLayout::CommandTextArea(CPageRect{r.at(0), r.at(1), r.at(2), r.at(3)}, margins.at(0),
                                              margins.at(1), margins.at(2), margins.at(3), area));
        if (row.at(4) != "-") {
            EXPECT_EQ(Numbers(row[4]), (std::vector<std::int32_t>{area.left, area.top, area.right, area.bottom}));
        }
    }
}
