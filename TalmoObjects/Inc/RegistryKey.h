// RegistryKey.h
// Holds CRegistryKey, the move-only owner of one open registry key, with the string reads
// the library's debug settings use. Windows only.
#pragma once

#include "SystemHandles.h"
#include "UnicodeString.h"

namespace TObj {

class CRegistryKey {
public:
    // Opens for reading; false when the key is missing or refused.
    bool Open(HKEY root, const wchar_t* path, REGSAM access = KEY_READ);
    bool Create(HKEY root, const wchar_t* path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close() noexcept { m_key.Reset(); }
    bool IsOpen() const noexcept { return !m_key.IsEmpty(); }
    HKEY Handle() const noexcept { return m_key.Get(); }

    // A REG_SZ or REG_EXPAND_SZ value; false when missing or of another type.
    bool ReadString(const wchar_t* name, CUnicodeString& value) const;
    bool WriteString(const wchar_t* name, const CUnicodeString& value) const;

private:
    CRegistryKeyHandle m_key;
};

// The string value `name` under "Software\Orvex\Talmo Objects" of `root`, parsed as an
// integer; `fallback` when it is missing, empty or not a number.
int ReadDebugInt(HKEY root, const wchar_t* name, int fallback);

} // namespace TObj
