// Languages.h
// Holds the library's 70 interface-language codes: the fixed table of Windows language
// ids, locale names and ANSI code pages; which are written right to left; look-up by Windows language; and the choice
// of a language from a set by the system's default language and code page.
#pragma once

#include "UnicodeString.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace TObj {

struct CLanguageEntry {
    std::uint16_t codePage;
    std::uint16_t primary;
    std::uint16_t sub;
    const WChar* locale;
};

constexpr int kLanguageCount = 70;

// Entry `code` (0..69); unused codes have an all-zero entry.
const CLanguageEntry& LanguageEntry(int code) noexcept;
bool IsLanguageCodeUsed(int code) noexcept;
// Whether the language of `code` is written right to left (Hebrew and Arabic in this table).
bool IsRightToLeftLanguage(int code) noexcept;
// sub x 1024 + primary; 0 for an unused or out-of-range code.
std::uint16_t LanguageIdOf(int code) noexcept;
// The code whose ids both match, else the first with the same primary language and
// sublanguage 1 or 0; -1 for none and for LANGID 0. Unused entries never match.
int GetLanguageByLangId(std::uint16_t langId) noexcept;

struct CLanguageChoiceContext {
    std::function<bool(int code)> isInstalled;
    std::uint16_t systemPrimaryLanguage = 0;
    std::uint32_t ansiCodePage = 0;
};
// -1 for an empty set; else the first installed code of the system's primary language,
// else of its code page, else the first installed, else the first of the set.
int ChooseLanguage(const std::vector<int>& codes, const CLanguageChoiceContext& context);

// Windows: the code's locale is installed. A code outside 0..69 is an internal error.
bool IsLanguageSupported(int code);
// Windows: the system's locale name for the code, or the table's.
CUnicodeString GetLanguageName(int code);

} // namespace TObj
