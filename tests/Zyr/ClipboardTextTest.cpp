#include "ClipboardText.h"
#include "Exception.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

HGLOBAL WINAPI NoMemory(UINT, SIZE_T) { return nullptr; }

// A block that exists but cannot be locked: a discarded one.
HGLOBAL g_discarded = nullptr;
HGLOBAL WINAPI DiscardedBlock(UINT, SIZE_T bytes)
{
    g_discarded = GlobalDiscard(GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, bytes));
    return g_discarded;
}

// The second block fails: the first already belongs to the clipboard.
int g_calls = 0;
HGLOBAL WINAPI SecondFails(UINT flags, SIZE_T bytes) { return ++g_calls == 2 ? nullptr : GlobalAlloc(flags, bytes); }
HGLOBAL WINAPI Counted(UINT flags, SIZE_T bytes) { return ++g_calls, GlobalAlloc(flags, bytes); }

} // namespace

TEST(ClipboardText, AFailedAllocationOrLockLeavesNothingHeld)
{
    struct Case {
        const char* what;
        ZYR::CClipboardText::FAllocate allocate;
    } cases[] = {
        {"no memory for the first block", NoMemory},
        {"a block that cannot be locked", DiscardedBlock},
        {"no memory for the second block", SecondFails},
    };
    const HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    for (const Case& c : cases) {
        g_calls = 0;
        g_discarded = nullptr;
        bool raised = false;
        try {
            ZYR::CClipboardText::Put(owner, U("held?"), c.allocate);
        } catch (TObj::CException* failure) {
            delete failure;
            raised = true;
        }
        EXPECT_TRUE(raised) << c.what;
        // The clipboard is closed again, so another thread can open it.
        EXPECT_EQ(nullptr, GetOpenClipboardWindow()) << c.what;
        bool opened = false;
        std::thread([&opened] {
            opened = OpenClipboard(nullptr) != FALSE;
            if (opened)
                CloseClipboard();
        }).join();
        EXPECT_TRUE(opened) << c.what;
        if (g_discarded != nullptr) {
            EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(g_discarded)) << "the block is freed";
        }
    }
    DestroyWindow(owner);
}

// Without a failure, the text goes on the clipboard in both its forms, a block for each.
TEST(ClipboardText, PutsTheTextInBothFormsABlockEach)
{
    const HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    g_calls = 0;
    EXPECT_TRUE(ZYR::CClipboardText::Put(owner, U("Copied"), Counted));
    EXPECT_EQ(2, g_calls);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_STREQ("Copied", static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT))));
    EXPECT_STREQ(L"Copied", static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT))));
    CloseClipboard();
    DestroyWindow(owner);
}
