// Cursor.h
// Holds ZYR::CCursor, the move-only owner of one cursor handle. The system's shared
// cursors are only borrowed and never destroyed. Also CCursorTraits, how an owned cursor
// is given back.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace ZYR {

struct CCursorTraits {
    using Handle = HCURSOR;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle cursor) noexcept { DestroyCursor(cursor); }
};

class CCursor {
public:
    void Attach(HCURSOR cursor);
    // LoadCursorW(nullptr, id): a shared system cursor such as IDC_HAND.
    void LoadSystemCursor(const wchar_t* id);
    void Destroy() noexcept;

    HCURSOR Get() const noexcept { return m_owned.IsEmpty() ? m_shared : m_owned.Get(); }

private:
    TObj::CUniqueHandle<CCursorTraits> m_owned;
    HCURSOR m_shared = nullptr; // not owned: a system cursor
};

} // namespace ZYR
