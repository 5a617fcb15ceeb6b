#include "VersionInfo.h"

#include "ProgramPaths.h"
#include "SystemLibrary.h"

#include <windows.h>

#include <vector>

namespace TObj {

namespace {
using FGetSize = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using FGetInfo = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using FQuery = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
} // namespace

CUnicodeString ReadFileVersionString(const CUnicodeString& path, const WChar* name)
{
    // version.dll is loaded from System32 at run time, not imported.
    static const auto getSize = SystemFunctionAs<FGetSize>(L"version.dll", "GetFileVersionInfoSizeW");
    static const auto getInfo = SystemFunctionAs<FGetInfo>(L"version.dll", "GetFileVersionInfoW");
    static const auto query = SystemFunctionAs<FQuery>(L"version.dll", "VerQueryValueW");
    if (getSize == nullptr || getInfo == nullptr || query == nullptr)
        return CUnicodeString();
    DWORD ignored = 0;
    const DWORD size = getSize(path.W(), &ignored);
    if (size == 0)
        return CUnicodeString();
    std::vector<unsigned char> data(size);
    if (!getInfo(path.W(), 0, size, data.data()))
        return CUnicodeString();
    struct CTranslation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT bytes = 0;
    if (!query(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes) ||
        bytes < sizeof(CTranslation))
        return CUnicodeString();
    const CUnicodeString key =
        CUnicodeString::Format(u"\\StringFileInfo\\%04x%04x\\%s", translations->language, translations->codePage, name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!query(data.data(), key.W(), reinterpret_cast<void**>(&value), &length) || value == nullptr)
        return CUnicodeString();
    return CUnicodeString(value);
}

CUnicodeString ReadProgramVersionString(const WChar* name) { return ReadFileVersionString(GetProgramPath(), name); }

} // namespace TObj
