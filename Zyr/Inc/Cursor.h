// Cursor.h
// Holds ZYR::CCursor, the move-only owner of one cursor handle. The system's shared
// cursors are only borrowed and never destroyed.
#pragma once

#include <windows.h>

namespace ZYR {

class CCursor {
public:
    CCursor() = default;
    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;
    CCursor(CCursor&& other) noexcept : m_cursor(other.m_cursor), m_shared(other.m_shared) { other.m_cursor = nullptr; }
    ~CCursor() { Destroy(); }

    void Attach(HCURSOR cursor);
    // LoadCursorW(nullptr, id): a shared system cursor such as IDC_HAND.
    void LoadSystemCursor(const wchar_t* id);
    void Destroy() noexcept;

    HCURSOR Get() const noexcept { return m_cursor; }

private:
    HCURSOR m_cursor = nullptr; // owned unless shared
    bool m_shared = false;
};

} // namespace ZYR
