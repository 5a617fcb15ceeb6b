// Icon.h
// Holds ZYR::CIcon, the move-only owner of one icon handle, destroyed with DestroyIcon:
// loaded from the program's resources or from an icon file; and CIconTraits, how such a
// handle is given back.
#pragma once

#include "UniqueHandle.h"
#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

struct CIconTraits {
    using Handle = HICON;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle icon) noexcept { DestroyIcon(icon); }
};

class CIcon {
public:
    void Attach(HICON icon);
    // The icon group `name` of the module that holds it, at the given size.
    void LoadIconW(const wchar_t* name, int width, int height);
    // The same at the size of the system's large icons, or its small ones (title bars).
    void LoadStandardSize(const wchar_t* name);
    void LoadSmallSize(const wchar_t* name);
    // An icon file; a failure throws the system error (or the memory exception for code 8).
    void LoadFromFile(const TObj::CUnicodeString& path, int width, int height);
    // Whether the file starts as an icon file does (a directory of one icon or more): what
    // can be told of it without loading it. False for a file that cannot be read.
    static bool HasIconSignature(const TObj::CUnicodeString& path);
    void Destroy() noexcept { m_icon.Reset(); }

    HICON Get() const noexcept { return m_icon.Get(); }
    bool IsEmpty() const noexcept { return m_icon.IsEmpty(); }

private:
    TObj::CUniqueHandle<CIconTraits> m_icon;
};

} // namespace ZYR
