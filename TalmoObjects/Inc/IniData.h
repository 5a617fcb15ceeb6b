// IniData.h
// Holds CIniData, the sections and keys of an INI text: parsed from its lines by the line
// rules of the library's INI files, looked up without regard to case (A-Z), and listed in
// the order of the file. Keys before the first header form a section with an empty name.
#pragma once

#include "UnicodeString.h"

#include <functional>
#include <memory>
#include <vector>

namespace TObj {

class CIniData {
public:
    CIniData();
    ~CIniData();
    CIniData(CIniData&&) noexcept;
    CIniData& operator=(CIniData&&) noexcept;

    // Told the number of a line that is not blank, comment, header or key/value; the parse
    // then goes on without it.
    using FMalformedLine = std::function<void(int line)>;
    // Replaces the contents with the lines' sections. A line that is not blank, comment,
    // header or key/value throws ERR_BAD_INI_FILE naming `pathForMessages` and the line,
    // counted from 1 as an editor shows it; with `onMalformedLine`, that is told instead.
    void Parse(const CUnicodeString& text, const CUnicodeString& pathForMessages,
               const FMalformedLine& onMalformedLine = nullptr);
    void Clear();

    bool HasSection(const CUnicodeString& section) const;
    bool HasKey(const CUnicodeString& section, const CUnicodeString& key) const;
    // The value, or `fallback` when the section or the key is missing.
    CUnicodeString GetValue(const CUnicodeString& section, const CUnicodeString& key,
                            const CUnicodeString& fallback) const;
    // The same lookups for a key given as a range of units, which readers that compose key
    // names in a buffer of their own use without building a string per key. TryGetValue is
    // true, with the value, when the key is there.
    bool TryGetValue(const CUnicodeString& section, const WChar* key, int keyLength, CUnicodeString& value) const;
    bool HasKey(const CUnicodeString& section, const WChar* key, int keyLength) const;
    // The line (from 1) that gave the key its value, or 0.
    int LineOf(const CUnicodeString& section, const CUnicodeString& key) const;
    // In the order in which the file first names them.
    std::vector<CUnicodeString> SectionNames() const;
    // In file order; a missing section is an internal error, so callers test it first.
    std::vector<CUnicodeString> KeyNames(const CUnicodeString& section) const;

private:
    // Keys and values are ranges of the one text, so a file of many keys costs no string
    // of its own per line, and parsing reads each line once while it is at hand. The
    // index of sections and keys is the library's own affair.
    struct CEntry;
    struct CSection;
    struct CSections;

    CSection* FindSection(const CUnicodeString& trimmedName);
    const CSection* FindSection(const CUnicodeString& section) const;
    const CEntry* FindEntry(const CUnicodeString& section, const CUnicodeString& key) const;
    const CEntry* FindEntry(const CUnicodeString& section, const WChar* key, int keyLength) const;

    CUnicodeString m_text;
    std::unique_ptr<CSections> m_sections; // owned: the sections in file order and their index
};

} // namespace TObj
