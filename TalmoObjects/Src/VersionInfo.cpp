#include "VersionInfo.h"

#include "ProgramPaths.h"

#include <windows.h>

#include <vector>

namespace TObj {

CUnicodeString ReadFileVersionString(const CUnicodeString& path, const WChar* name)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.W(), &ignored);
    if (size == 0)
        return CUnicodeString();
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.W(), 0, size, data.data()))
        return CUnicodeString();
    struct CTranslation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &bytes) ||
        bytes < sizeof(CTranslation))
        return CUnicodeString();
    const CUnicodeString query = CUnicodeString::Format(u"\\StringFileInfo\\%04x%04x\\%s", translations->language,
                                                        translations->codePage, name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), query.W(), reinterpret_cast<void**>(&value), &length) || value == nullptr)
        return CUnicodeString();
    return CUnicodeString(value);
}

CUnicodeString ReadProgramVersionString(const WChar* name) { return ReadFileVersionString(GetProgramPath(), name); }

} // namespace TObj
