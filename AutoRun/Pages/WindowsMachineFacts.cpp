#include "WindowsMachineFacts.h"

#include "FileSystem.h"
#include "PageFiles.h"
#include "RegistryKey.h"
#include "SystemLibrary.h"

#include <windows.h>

#include <algorithm>
#include <vector>

using TObj::CUnicodeString;

namespace {

HKEY RootKey(ERegistryRoot root)
{
    switch (root) {
    case ERegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case ERegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case ERegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    }
    return HKEY_LOCAL_MACHINE;
}

// The 64-bit view is the one a 64-bit program sees; on 32-bit Windows there is one view,
// and both flags leave it as it is.
REGSAM ReadAccess(bool view32)
{
    return KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | (view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
}

// Where programs are listed for removal: both views of the machine's list, and the user's.
struct CUninstallPlace {
    HKEY root;
    bool view32;
};
const CUninstallPlace kUninstallPlaces[] = {
    {HKEY_LOCAL_MACHINE, false}, {HKEY_LOCAL_MACHINE, true}, {HKEY_CURRENT_USER, false}};
const wchar_t* const kUninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

CUnicodeString ExpandEnvironment(const CUnicodeString& text)
{
    std::vector<wchar_t> buffer(static_cast<std::size_t>(text.Length()) + 1);
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsW(text.W(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0)
            return text;
        if (needed <= buffer.size())
            return CUnicodeString(buffer.data());
        buffer.resize(needed);
    }
}

} // namespace

bool CWindowsMachineFacts::Exists(const CUnicodeString& path)
{
    const CUnicodeString expanded = ExpandEnvironment(path);
    return TObj::PathExists(PageFiles::ResolvePath(m_pageFilePath, expanded));
}

bool CWindowsMachineFacts::HasRegistryEntry(ERegistryRoot root, const CUnicodeString& key,
                                            const CUnicodeString* valueName, bool view32)
{
    TObj::CRegistryKey opened;
    if (!opened.Open(RootKey(root), key.W(), ReadAccess(view32)))
        return false;
    return valueName == nullptr ||
           RegQueryValueExW(opened.Handle(), valueName->W(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool CWindowsMachineFacts::IsInstalled(const CUnicodeString& product)
{
    // The first question tries its key name in each place and, where none is there, walks the
    // entries once, keeping their key and display names: the later questions of the same
    // decisions are answered from those, without the registry.
    if (!m_entriesRead) {
        for (const CUninstallPlace& place : kUninstallPlaces) {
            TObj::CRegistryKey uninstall, entry;
            if (uninstall.Open(place.root, kUninstall, ReadAccess(place.view32)) &&
                entry.Open(uninstall.Handle(), product.W(), KEY_QUERY_VALUE))
                return true;
        }
        readUninstallEntries();
    }
    const auto named = [&product](const CUnicodeString& name) { return name.EqualsNoCase(product); };
    return std::any_of(m_keyNames.begin(), m_keyNames.end(), named) ||
           std::any_of(m_displayNames.begin(), m_displayNames.end(), named);
}

void CWindowsMachineFacts::readUninstallEntries()
{
    m_entriesRead = true;
    for (const CUninstallPlace& place : kUninstallPlaces) {
        TObj::CRegistryKey uninstall, entry;
        if (!uninstall.Open(place.root, kUninstall, ReadAccess(place.view32)))
            continue;
        wchar_t name[256];
        for (DWORD index = 0; index < kMaxUninstallEntries; ++index) {
            DWORD length = 256;
            const LONG result =
                RegEnumKeyExW(uninstall.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_NO_MORE_ITEMS)
                break;
            if (result != ERROR_SUCCESS)
                continue;
            m_keyNames.emplace_back(name);
            CUnicodeString displayName;
            if (entry.Open(uninstall.Handle(), name, KEY_QUERY_VALUE) && entry.ReadString(L"DisplayName", displayName))
                m_displayNames.push_back(displayName);
        }
    }
}

CWindowsVersion CWindowsMachineFacts::RunningVersion()
{
    using FRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const auto getVersion = TObj::SystemFunctionAs<FRtlGetVersion>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion == nullptr || getVersion(&info) != 0)
        return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion),
            static_cast<int>(info.dwBuildNumber)};
}
