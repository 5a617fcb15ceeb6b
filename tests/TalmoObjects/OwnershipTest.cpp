#include "Exception.h"
#include "ScopeExit.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Handles are small numbers, -1 is "no handle" (as for files); every close is written down.
std::string g_closed;

struct CTestTraits {
    using Handle = int;
    static Handle Empty() noexcept { return -1; }
    static void Close(Handle handle) noexcept { g_closed += std::to_string(handle) + " "; }
};
using CTestHandle = TObj::CUniqueHandle<CTestTraits>;

} // namespace

TEST(UniqueHandle, EachHandleIsClosedOnceByItsLastOwner)
{
    struct Case {
        const char* what;
        void (*steps)();
        const char* closed;
    } cases[] = {
        {"the owner ends", [] { CTestHandle one(1); }, "1 "},
        {"no handle is never closed",
         [] {
             CTestHandle none;
             CTestHandle empty(-1);
         },
         ""},
        {"handle 0 is a handle", [] { CTestHandle zero(0); }, "0 "},
        {"moved, then the new owner ends",
         [] {
             CTestHandle one(1);
             const CTestHandle other(std::move(one));
             EXPECT_TRUE(one.IsEmpty());
         },
         "1 "},
        {"assigned over: the old one first",
         [] {
             CTestHandle one(1);
             CTestHandle two(2);
             two = std::move(one);
             g_closed += "| ";
         },
         "2 | 1 "},
        {"assigned to itself",
         [] {
             CTestHandle one(1);
             CTestHandle& same = one;
             one = std::move(same);
             EXPECT_EQ(1, one.Get());
         },
         "1 "},
        {"reset, then reset to nothing",
         [] {
             CTestHandle one(1);
             one.Reset(3);
             one.Reset();
             g_closed += "| ";
         },
         "1 3 | "},
        {"released: the caller owns it",
         [] {
             CTestHandle one(1);
             EXPECT_EQ(1, one.Release());
             EXPECT_TRUE(one.IsEmpty());
         },
         ""},
    };
    for (const Case& c : cases) {
        g_closed.clear();
        c.steps();
        EXPECT_EQ(c.closed, g_closed) << c.what;
    }
}

TEST(ScopeExit, RunsOnceOnEveryWayOut)
{
    int runs = 0;
    {
        const auto guard = TObj::OnScopeExit([&runs] { ++runs; });
    }
    EXPECT_EQ(1, runs);
    try {
        const auto guard = TObj::OnScopeExit([&runs] { ++runs; });
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(2, runs);
    {
        auto guard = TObj::OnScopeExit([&runs] { ++runs; });
        guard.RunNow();
        EXPECT_EQ(3, runs);
        guard.RunNow();
    }
    EXPECT_EQ(3, runs);
}

// Made while there is memory, a memory exception goes back to the heap; only the reserve
// for when there is none is the library's own (the host build's leak checker tells).
TEST(MemoryException, OneMadeOnTheHeapIsFreedThere)
{
    for (int i = 0; i < 2; ++i)
        delete new TObj::CMemoryException;
}
