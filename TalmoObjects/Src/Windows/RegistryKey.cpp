#include "RegistryKey.h"

#include <vector>

namespace TObj {

bool CRegistryKey::Open(HKEY root, const wchar_t* path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, access, &key) != ERROR_SUCCESS)
        return false;
    m_key.Reset(key);
    return true;
}

bool CRegistryKey::Create(HKEY root, const wchar_t* path, REGSAM access)
{
    Close();
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    m_key.Reset(key);
    return true;
}

bool CRegistryKey::ReadString(const wchar_t* name, CUnicodeString& value) const
{
    if (!IsOpen())
        return false;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(m_key.Get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, 0);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(m_key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS)
        return false;
    buffer.back() = 0;
    value = CUnicodeString(buffer.data());
    return true;
}

bool CRegistryKey::WriteString(const wchar_t* name, const CUnicodeString& value) const
{
    return IsOpen() && RegSetValueExW(m_key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.W()),
                                      static_cast<DWORD>((value.Length() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int ReadDebugInt(HKEY root, const wchar_t* name, int fallback)
{
    CRegistryKey key;
    CUnicodeString text;
    std::int32_t value = fallback;
    if (key.Open(root, L"Software\\Orvex\\Talmo Objects") && key.ReadString(name, text) && text.ToInt(value))
        return value;
    return fallback;
}

} // namespace TObj
