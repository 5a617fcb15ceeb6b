#include "Cursor.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

void CCursor::Attach(HCURSOR cursor)
{
    if (!TOBJ_ASSERT(Get() == nullptr, Places::kCursorAttachedTwice) || !TOBJ_ASSERT(cursor != nullptr, Places::kNullCursor))
        return;
    m_owned.Reset(cursor);
}

void CCursor::LoadSystemCursor(const wchar_t* id)
{
    if (!TOBJ_ASSERT(Get() == nullptr, Places::kCursorAttachedTwice))
        return;
    m_shared = LoadCursorW(nullptr, id);
    ZYR_CHECK(m_shared != nullptr, Places::kLoadCursorW);
}

void CCursor::Destroy() noexcept
{
    m_owned.Reset();
    m_shared = nullptr;
}

} // namespace ZYR
