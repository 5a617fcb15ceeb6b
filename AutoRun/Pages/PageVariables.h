// PageVariables.h
// Holds CPageVariables, the table of a page description's variables: names compared
// exactly, definitions substituted with what is declared when they are read, and the
// one-pass substitution of "$(" name ")" references in values, with a bound on the
// length a value can grow to.
#pragma once

#include "UnicodeString.h"

#include <map>

class CPageVariables {
public:
    void Clear() { m_values.clear(); }
    int Count() const { return static_cast<int>(m_values.size()); }

    // Substitutes `rawValue` with the variables declared so far, then declares `name`,
    // replacing an earlier definition. Callers declare in file order.
    void Define(const TObj::CUnicodeString& name, const TObj::CUnicodeString& rawValue);
    const TObj::CUnicodeString* Find(const TObj::CUnicodeString& name) const;

    // One pass: substituted text is not searched again, so no definition can recurse.
    // Definitions that double each other could still grow a value without bound, so a
    // reference whose text would take the value past kMaxExpandedLength stays as written;
    // `capped`, when given, tells whether that happened.
    TObj::CUnicodeString Expand(const TObj::CUnicodeString& value, bool* capped = nullptr) const;

    static constexpr int kMaxExpandedLength = 65536;

private:
    std::map<TObj::CUnicodeString, TObj::CUnicodeString> m_values;
};
