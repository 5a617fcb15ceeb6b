// The parts of the language table that ask Windows: installed locales and locale names.
#include "Languages.h"

#include "Errors.h"
#include "ReportPlaces.h"

#include <windows.h>

namespace TObj {

bool IsLanguageSupported(int code)
{
    if (code < 0 || code >= kLanguageCount) {
        GenerateInternalError(kAssertion, Places::kLanguageCodeOutOfRange);
        return false;
    }
    return IsLanguageCodeUsed(code) && IsValidLocale(LanguageIdOf(code), LCID_INSTALLED);
}

CUnicodeString GetLanguageName(int code)
{
    if (!IsLanguageCodeUsed(code))
        return CUnicodeString();
    using FLCIDToLocaleName = int(WINAPI*)(LCID, LPWSTR, int, DWORD);
    const auto toName = reinterpret_cast<FLCIDToLocaleName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "LCIDToLocaleName")));
    if (toName == nullptr)
        return CUnicodeString(LanguageEntry(code).locale);
    wchar_t buffer[85] = {0};
    if (toName(LanguageIdOf(code), buffer, 85, 0) == 0)
        GenerateInternalError(kAssertionWithCode, Places::kLocaleNameFailed, GetLastError());
    return CUnicodeString(buffer);
}

} // namespace TObj
