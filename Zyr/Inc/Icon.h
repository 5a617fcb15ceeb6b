// Icon.h
// Holds ZYR::CIcon, the move-only owner of one icon handle, destroyed with DestroyIcon:
// loaded from the program's resources or from an icon file.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

class CIcon {
public:
    CIcon() = default;
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;
    CIcon(CIcon&& other) noexcept : m_icon(other.m_icon) { other.m_icon = nullptr; }
    CIcon& operator=(CIcon&& other) noexcept;
    ~CIcon() { Destroy(); }

    void Attach(HICON icon);
    // The icon group `name` of the module that holds it, at the given size.
    void LoadIconW(const wchar_t* name, int width, int height);
    void LoadStandardSize(const wchar_t* name);
    // An icon file; a failure throws the system error (or the memory exception for code 8).
    void LoadFromFile(const TObj::CUnicodeString& path, int width, int height);
    void Destroy() noexcept;

    HICON Get() const noexcept { return m_icon; }
    bool IsEmpty() const noexcept { return m_icon == nullptr; }

private:
    HICON m_icon = nullptr; // owned
};

} // namespace ZYR
