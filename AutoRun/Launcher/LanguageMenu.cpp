#include "LanguageMenu.h"

#include "Languages.h"
#include "UnicodeString.h"

namespace {

UINT CommandOf(int code)
{
    return CLanguageMenu::kFirstCommand + static_cast<UINT>(code) * CLanguageMenu::kCommandStep;
}

} // namespace

TObj::CUnicodeString CLanguageMenu::NameOf(int code)
{
    const TObj::WChar* locale = TObj::LanguageEntry(code).locale;
    wchar_t name[LOCALE_NAME_MAX_LENGTH + 64] = {0};
    if (locale != nullptr && GetLocaleInfoEx(reinterpret_cast<const wchar_t*>(locale), LOCALE_SNATIVELANGUAGENAME, name,
                                             sizeof name / sizeof name[0]) > 0)
        return TObj::CUnicodeString(reinterpret_cast<const TObj::WChar*>(name));
    return TObj::GetLanguageName(code);
}

void CLanguageMenu::Add(HWND window, const std::vector<int>& codes, int current)
{
    if (codes.size() < 2)
        return;
    const HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr)
        return;
    m_codes = codes;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const int code : codes)
        AppendMenuW(menu, MF_STRING, CommandOf(code), NameOf(code).W());
    Check(window, current);
}

void CLanguageMenu::Check(HWND window, int current) const
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    for (const int code : m_codes)
        CheckMenuItem(menu, CommandOf(code), MF_BYCOMMAND | (code == current ? MF_CHECKED : MF_UNCHECKED));
}

int CLanguageMenu::LanguageOf(WPARAM command) const
{
    for (const int code : m_codes)
        if ((command & 0xFFF0) == CommandOf(code))
            return code;
    return -1;
}
