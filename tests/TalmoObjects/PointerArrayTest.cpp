#include "PointerArray.h"

#include <gtest/gtest.h>

namespace {
struct CCounted {
    static int alive;
    CCounted() { ++alive; }
    ~CCounted() { --alive; }
};
int CCounted::alive = 0;
} // namespace

TEST(PointerArray, OwningArrayDeletesWhatItHoldsButNotWhatItHandsBack)
{
    CCounted::alive = 0;
    CCounted* kept = nullptr;
    {
        TObj::CPointerArray<CCounted, true> owned;
        for (int i = 0; i < 10; ++i)
            owned.Add(new CCounted);
        kept = owned.RemoveLast();
        EXPECT_EQ(9, owned.Count());
        TObj::CPointerArray<CCounted, true> moved(std::move(owned));
        EXPECT_EQ(0, owned.Count());
        EXPECT_EQ(9, moved.Count());
    }
    EXPECT_EQ(1, CCounted::alive);
    delete kept;
    EXPECT_EQ(0, CCounted::alive);
}
