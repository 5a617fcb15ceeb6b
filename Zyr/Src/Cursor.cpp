#include "Cursor.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

void CCursor::Attach(HCURSOR cursor)
{
    if (!TOBJ_ASSERT(m_cursor == nullptr, Places::kCursorAttachedTwice) || !TOBJ_ASSERT(cursor != nullptr, Places::kNullCursor))
        return;
    m_cursor = cursor;
    m_shared = false;
}

void CCursor::LoadSystemCursor(const wchar_t* id)
{
    if (!TOBJ_ASSERT(m_cursor == nullptr, Places::kCursorAttachedTwice))
        return;
    const HCURSOR cursor = LoadCursorW(nullptr, id);
    ZYR_CHECK(cursor != nullptr,Places::kLoadCursorW);
    m_cursor = cursor;
    m_shared = true;
}

void CCursor::Destroy() noexcept
{
    if (m_cursor != nullptr && !m_shared)
        DestroyCursor(m_cursor);
    m_cursor = nullptr;
}

} // namespace ZYR
