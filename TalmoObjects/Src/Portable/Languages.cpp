#include "Languages.h"

#include "Errors.h"

#include <algorithm>

namespace TObj {

namespace {

const CLanguageEntry kLanguages[kLanguageCount] = {
    {0, 0x09, 0x01, u"en-US"},         // 0: 1033
    {1251, 0x19, 0x01, u"ru-RU"},      // 1: 1049
    {1252, 0x07, 0x01, u"de-DE"},      // 2: 1031
    {1252, 0x0C, 0x01, u"fr-FR"},      // 3: 1036
    {1251, 0x22, 0x01, u"uk-UA"},      // 4: 1058
    {1252, 0x0A, 0x01, u"es-ES"},      // 5: 1034
    {1252, 0x10, 0x01, u"it-IT"},      // 6: 1040
    {1252, 0x13, 0x01, u"nl-NL"},      // 7: 1043
    {1252, 0x06, 0x01, u"da-DK"},      // 8: 1030
    {1252, 0x1D, 0x01, u"sv-SE"},      // 9: 1053
    {1252, 0x0B, 0x01, u"fi-FI"},      // 10: 1035
    {1252, 0x14, 0x01, u"nb-NO"},      // 11: 1044
    {0, 0, 0, nullptr},                // 12: unused
    {1252, 0x16, 0x02, u"pt-PT"},      // 13: 2070
    {1250, 0x1B, 0x01, u"sk-SK"},      // 14: 1051
    {1250, 0x15, 0x01, u"pl-PL"},      // 15: 1045
    {1250, 0x05, 0x01, u"cs-CZ"},      // 16: 1029
    {1250, 0x0E, 0x01, u"hu-HU"},      // 17: 1038
    {1257, 0x27, 0x01, u"lt-LT"},      // 18: 1063
    {1257, 0x26, 0x01, u"lv-LV"},      // 19: 1062
    {1257, 0x25, 0x01, u"et-EE"},      // 20: 1061
    {1252, 0x0F, 0x01, u"is-IS"},      // 21: 1039
    {1253, 0x08, 0x01, u"el-GR"},      // 22: 1032
    {1251, 0x02, 0x01, u"bg-BG"},      // 23: 1026
    {1254, 0x1F, 0x01, u"tr-TR"},      // 24: 1055
    {0, 0x44, 0x01, u"tt-RU"},         // 25: 1092
    {0, 0x11, 0x01, u"ja-JP"},         // 26: 1041
    {1252, 0x16, 0x01, u"pt-BR"},      // 27: 1046
    {1252, 0x13, 0x02, u"nl-BE"},      // 28: 2067
    {1255, 0x0D, 0x01, u"he-IL"},      // 29: 1037
    {0, 0, 0, nullptr},                // 30: unused
    {0, 0, 0, nullptr},                // 31: unused
    {0, 0, 0, nullptr},                // 32: unused
    {0, 0, 0, nullptr},                // 33: unused
    {0, 0x39, 0x01, u"hi-IN"},         // 34: 1081
    {1251, 0x1A, 0x03, u"sr-SP-Cyrl"}, // 35: 3098
    {1250, 0x1A, 0x01, u"hr-HR"},      // 36: 1050
    {1250, 0x18, 0x01, u"ro-RO"},      // 37: 1048
    {1250, 0x24, 0x01, u"sl-SI"},      // 38: 1060
    {1252, 0x03, 0x01, u"ca-ES"},      // 39: 1027
    {1251, 0x2F, 0x01, u"mk-MK"},      // 40: 1071
    {0, 0, 0, nullptr},                // 41: unused
    {1251, 0x3F, 0x01, u"kk-KZ"},      // 42: 1087
    {1250, 0x1A, 0x02, u"sr-SP-Latn"}, // 43: 2074
    {0, 0, 0, nullptr},                // 44: unused
    {0, 0, 0, nullptr},                // 45: unused
    {0, 0, 0, nullptr},                // 46: unused
    {0, 0, 0, nullptr},                // 47: unused
    {0, 0, 0, nullptr},                // 48: unused
    {0, 0, 0, nullptr},                // 49: unused
    {0, 0, 0, nullptr},                // 50: unused
    {0, 0, 0, nullptr},                // 51: unused
    {0, 0, 0, nullptr},                // 52: unused
    {0, 0, 0, nullptr},                // 53: unused
    {0, 0, 0, nullptr},                // 54: unused
    {0, 0, 0, nullptr},                // 55: unused
    {0, 0, 0, nullptr},                // 56: unused
    {0, 0, 0, nullptr},                // 57: unused
    {0, 0, 0, nullptr},                // 58: unused
    {0, 0, 0, nullptr},                // 59: unused
    {0, 0, 0, nullptr},                // 60: unused
    {1256, 0x01, 0x01, u"ar-SA"},      // 61: 1025
    {1258, 0x2A, 0x01, u"vi-VN"},      // 62: 1066
    {0, 0x12, 0x01, u"ko-KR"},         // 63: 1042
    {0, 0x04, 0x02, u"zh-CN"},         // 64: 2052
    {0, 0x04, 0x01, u"zh-TW"},         // 65: 1028
    {0, 0, 0, nullptr},                // 66: unused
    {0, 0, 0, nullptr},                // 67: unused
    {0, 0, 0, nullptr},                // 68: unused
    {0, 0x1E, 0x01, u"th-TH"},         // 69: 1054
};

} // namespace

const CLanguageEntry& LanguageEntry(int code) noexcept { return kLanguages[code]; }

bool IsLanguageCodeUsed(int code) noexcept
{
    return code >= 0 && code < kLanguageCount && kLanguages[code].primary != 0;
}

bool IsRightToLeftLanguage(int code) noexcept
{
    // By the primary language, so every sublanguage of one written right to left is too.
    constexpr std::uint16_t kArabic = 0x01, kHebrew = 0x0D;
    if (!IsLanguageCodeUsed(code))
        return false;
    return kLanguages[code].primary == kArabic || kLanguages[code].primary == kHebrew;
}

std::uint16_t LanguageIdOf(int code) noexcept
{
    if (!IsLanguageCodeUsed(code))
        return 0;
    return static_cast<std::uint16_t>(kLanguages[code].sub * 1024 + kLanguages[code].primary);
}

int GetLanguageByLangId(std::uint16_t langId) noexcept
{
    if (langId == 0)
        return -1;
    const int primary = langId & 0x3FF;
    const int sub = langId >> 10;
    for (int code = 0; code < kLanguageCount; ++code)
        if (IsLanguageCodeUsed(code) && kLanguages[code].primary == primary && kLanguages[code].sub == sub)
            return code;
    for (int code = 0; code < kLanguageCount; ++code)
        if (IsLanguageCodeUsed(code) && kLanguages[code].primary == primary && kLanguages[code].sub <= 1)
            return code;
    return -1;
}

int ChooseLanguage(const std::vector<int>& codes, const CLanguageChoiceContext& context)
{
    if (codes.empty())
        return -1;
    std::vector<int> installed;
    for (const int code : codes)
        if (IsLanguageCodeUsed(code) && context.isInstalled && context.isInstalled(code))
            installed.push_back(code);
    std::sort(installed.begin(), installed.end());
    for (const int code : installed)
        if (kLanguages[code].primary == context.systemPrimaryLanguage)
            return code;
    for (const int code : installed)
        if (kLanguages[code].codePage == context.ansiCodePage)
            return code;
    if (!installed.empty())
        return installed.front();
    return *std::min_element(codes.begin(), codes.end());
}

} // namespace TObj
