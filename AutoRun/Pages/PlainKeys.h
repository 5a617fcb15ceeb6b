// PlainKeys.h
// Holds the tables of the plain keys of a page and of a command: each names a key of the
// key table and the one field of the settings that its value goes into, parsed by the
// key's type, with the key's default when it is absent or malformed. One loop of the reader
// reads them all. A key whose default follows other keys, or that a rule looks at with
// others, is read by hand.
#pragma once

#include "PageKeys.h"
#include "WindowSettings.h"

#include <cstdint>

template <class TSettings>
struct CPlainKey {
    PageKeys::EKey key;
    // Exactly one field, of the key's type: a text (with line breaks when the type has
    // them), a colour, a flag, a decimal, an integer or font size, a rectangle or a size.
    TObj::CUnicodeString TSettings::*text = nullptr;
    std::uint32_t TSettings::*colour = nullptr;
    bool TSettings::*flag = nullptr;
    double TSettings::*decimal = nullptr;
    std::int32_t TSettings::*number = nullptr;
    CPageRect TSettings::*rect = nullptr;
    CPageSize TSettings::*size = nullptr;
};

// The rows of a table, in reading order.
template <class TSettings>
struct CPlainKeyTable {
    const CPlainKey<TSettings>* first;
    const CPlainKey<TSettings>* last;

    const CPlainKey<TSettings>* begin() const noexcept { return first; }
    const CPlainKey<TSettings>* end() const noexcept { return last; }
};

namespace PlainKeys {

CPlainKeyTable<CWindowSettings> OfPage();
CPlainKeyTable<CCommandSettings> OfCommand();

} // namespace PlainKeys
