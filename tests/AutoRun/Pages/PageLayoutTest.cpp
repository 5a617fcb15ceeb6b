#include "PageLayout.h"

#include <gtest/gtest.h>

#include <limits>

using PageLayout::ETextArea;

TEST(PageLayout, DefaultStepUsesTheMagnitudeOfTheFontSize)
{
    struct Case {
        std::int32_t fontSize;
        double ratio;
        bool ok;
        std::int32_t value;
    } cases[] = {
        {12, 1.8, true, 21},
        {12, 0.6, true, 7},
        {-16, 1.8, true, 28},
        {-16, 0.6, true, 9},
        {0, 1.8, true, 0},
        {10, -1, true, -10},
        {100, 1e300, false, 0},
        {std::numeric_limits<std::int32_t>::max(), 1.8, false, 0},
        {std::numeric_limits<std::int32_t>::min(), 1.0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fontSize);
        std::int32_t value = -1;
        EXPECT_EQ(c.ok, PageLayout::DefaultStep(c.fontSize, c.ratio, value));
        EXPECT_EQ(c.ok ? c.value : -1, value);
    }
}

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

TEST(PageLayout, CommandTextArea)
{
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    struct Case {
        CPageRect rect;
        std::int32_t left, top, right, bottom;
        ETextArea result;
        PageLayout::CTextArea area;
    } cases[] = {
        {{40, 120, 400, 150}, 0, 0, 0, 0, ETextArea::Ok, {0, 0, 360, 30}},
        {{0, 0, 100, 30}, 5, 2, 5, 2, ETextArea::Ok, {5, 2, 90, 26}},
        {{0, 0, 100, 30}, -5, 0, 0, 0, ETextArea::Ok, {-5, 0, 105, 30}},
        {{0, 0, 100, 30}, 50, 0, 50, 0, ETextArea::NoWidth, {}},
        {{0, 0, 100, 30}, 0, 15, 0, 15, ETextArea::NoHeight, {}},
        {{0, 0, 0, 0}, 0, 0, 0, 0, ETextArea::NoWidth, {}},
        {{0, 0, 100, -30}, 0, 0, 0, 0, ETextArea::NoHeight, {}},
        {{0, 0, 100, 30}, min, 0, 0, 0, ETextArea::OutOfRange, {}},
        {{0, 0, 100, 30}, 0, 0, 0, min, ETextArea::OutOfRange, {}},
    };
    for (const Case& c : cases) {
        PageLayout::CTextArea area{-9, -9, -9, -9};
        EXPECT_EQ(c.result, PageLayout::CommandTextArea(c.rect, c.left, c.top, c.right, c.bottom, area));
        if (c.result == ETextArea::Ok) {
            EXPECT_EQ(c.area.left, area.left);
            EXPECT_EQ(c.area.top, area.top);
            EXPECT_EQ(c.area.right, area.right);
            EXPECT_EQ(c.area.bottom, area.bottom);
        }
    }
}
