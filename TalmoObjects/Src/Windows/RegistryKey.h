// RegistryKey.h
// Holds CRegistryKey, the move-only owner of one open registry key, with the string reads
// the library's debug settings use. Windows only.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace TObj {

class CRegistryKey {
public:
    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    CRegistryKey(CRegistryKey&& other) noexcept : m_key(other.m_key) { other.m_key = nullptr; }
    CRegistryKey& operator=(CRegistryKey&& other) noexcept;
    ~CRegistryKey() { Close(); }

    // Opens for reading; false when the key is missing or refused.
    bool Open(HKEY root, const wchar_t* path, REGSAM access = KEY_READ);
    bool Create(HKEY root, const wchar_t* path, REGSAM access = KEY_READ | KEY_WRITE);
    void Close() noexcept;
    bool IsOpen() const noexcept { return m_key != nullptr; }
    HKEY Handle() const noexcept { return m_key; }

    // A REG_SZ or REG_EXPAND_SZ value; false when missing or of another type.
    bool ReadString(const wchar_t* name, CUnicodeString& value) const;
    bool WriteString(const wchar_t* name, const CUnicodeString& value) const;

private:
    HKEY m_key = nullptr; // owned
};

// The string value `name` under "Software\Orvex\Talmo Objects" of `root`, parsed as an
// integer; `fallback` when it is missing, empty or not a number.
int ReadDebugInt(HKEY root, const wchar_t* name, int fallback);

} // namespace TObj
