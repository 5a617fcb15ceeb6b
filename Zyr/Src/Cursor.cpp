#include "Cursor.h"

#include "Errors.h"
#include "Lock.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

#include <mutex>

namespace ZYR {

void CCursor::Attach(HCURSOR cursor)
{
    if (!TOBJ_ASSERT(Get() == nullptr, Places::kCursorAttachedTwice) ||
        !TOBJ_ASSERT(cursor != nullptr, Places::kNullCursor))
        return;
    m_owned.Reset(cursor);
}

namespace {

// A shared system cursor is the same handle at every load for the whole process (a new
// cursor scheme changes its image, not its handle); each load costs a tenth of a
// millisecond under Wine, and every control loads two.
struct CSharedCursor {
    const wchar_t* id;
    HCURSOR cursor;
};
TObj::CLock g_sharedLock;
CSharedCursor g_shared[8] = {};

HCURSOR LoadShared(const wchar_t* id)
{
    if (!IS_INTRESOURCE(id)) // a name's text may change behind its pointer
        return LoadCursorW(nullptr, id);
    const std::lock_guard<TObj::CLock> hold(g_sharedLock);
    for (CSharedCursor& known : g_shared) {
        if (known.id == id)
            return known.cursor;
        if (known.id == nullptr) {
            const HCURSOR loaded = LoadCursorW(nullptr, id);
            if (loaded != nullptr)
                known = CSharedCursor{id, loaded};
            return loaded;
        }
    }
    return LoadCursorW(nullptr, id);
}

} // namespace

void CCursor::LoadSystemCursor(const wchar_t* id)
{
    if (!TOBJ_ASSERT(Get() == nullptr, Places::kCursorAttachedTwice))
        return;
    m_shared = LoadShared(id);
    ZYR_CHECK(m_shared != nullptr, Places::kLoadCursorW);
}

void CCursor::Destroy() noexcept
{
    m_owned.Reset();
    m_shared = nullptr;
}

} // namespace ZYR
