#include "Cursor.h"

#include "Errors.h"
#include "ZyrFailure.h"

namespace ZYR {

void CCursor::Attach(HCURSOR cursor)
{
    if (!TOBJ_ASSERT(m_cursor == nullptr, u"userobjectzyr", 264) || !TOBJ_ASSERT(cursor != nullptr, u"userobjectzyr", 265))
        return;
    m_cursor = cursor;
    m_shared = false;
}

void CCursor::LoadSystemCursor(const wchar_t* id)
{
    if (!TOBJ_ASSERT(m_cursor == nullptr, u"userobjectzyr", 264))
        return;
    const HCURSOR cursor = LoadCursorW(nullptr, id);
    ZYR_CHECK(cursor != nullptr, u"ZYR::CCursor::LoadCursorW", u"cursor != 0", u"userobjectzyr", 270);
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
