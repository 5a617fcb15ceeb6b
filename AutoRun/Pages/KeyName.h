// KeyName.h
// Holds CKeyName, the name of a page key ("Title", "Command3_Text") composed in a buffer
// of its own, so that reading the many keys of a page builds no string per key.
#pragma once

#include "UnicodeString.h"

class CKeyName {
public:
    // Implicit, so that the readers name their keys as literals.
    CKeyName(const char16_t* name);
    CKeyName(const TObj::CUnicodeString& prefix, const char16_t* name);

    const TObj::WChar* Units() const noexcept { return m_spill.IsEmpty() ? m_units : m_spill.Ptr(); }
    int Length() const noexcept { return m_length; }

private:
    void Append(const TObj::WChar* units, int count);

    // "Command2147483647_" and the longest key name fit with room to spare.
    static constexpr int kCapacity = 64;
    TObj::WChar m_units[kCapacity];
    int m_length = 0;
    TObj::CUnicodeString m_spill; // the whole name, once it outgrows the buffer
};
