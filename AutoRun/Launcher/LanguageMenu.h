// LanguageMenu.h
// Holds CLanguageMenu, the disc's languages in the window's system menu: when the disc has
// page files for two or more, each below a separator by its own name in its own language
// (the locale's native name), the one shown checked; and the language a system command
// chooses. The author's check lists the same names.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

#include <vector>

class CLanguageMenu {
public:
    void Add(HWND window, const std::vector<int>& codes, int current);
    void Check(HWND window, int current) const;
    // The language a WM_SYSCOMMAND chose, or -1 for another command.
    int LanguageOf(WPARAM command) const;
    // "English", "Deutsch", "العربية": what a reader of the language calls it.
    static TObj::CUnicodeString NameOf(int code);

    // The system keeps the low four bits of a system command for itself.
    static constexpr UINT kFirstCommand = 0x1000;
    static constexpr UINT kCommandStep = 16;

private:
    std::vector<int> m_codes;
};
