// IniFile.h
// Holds CIniFile, an INI text file read on first use: its path made full (a path that is
// not fully qualified lies below the program's folder), its encoding detected, its lines
// parsed into sections and keys looked up without regard to case. A missing file reads as
// empty. Windows only.
#pragma once

#include "IniData.h"

namespace TObj {

class CIniFile {
public:
    // With `onMalformedLine`, a line that is no INI line is told to it and left out, instead
    // of making the file unreadable.
    explicit CIniFile(const CUnicodeString& path, CIniData::FMalformedLine onMalformedLine = nullptr);

    const CUnicodeString& Path() const noexcept { return m_path; }
    bool HasSection(const CUnicodeString& section);
    bool HasKey(const CUnicodeString& section, const CUnicodeString& key);
    CUnicodeString GetValue(const CUnicodeString& section, const CUnicodeString& key, const CUnicodeString& fallback);
    // True, with the value, when the key (a range of units) is there.
    bool TryGetValue(const CUnicodeString& section, const WChar* key, int keyLength, CUnicodeString& value);
    bool HasKey(const CUnicodeString& section, const WChar* key, int keyLength);
    int LineOf(const CUnicodeString& section, const CUnicodeString& key);
    std::vector<CUnicodeString> SectionNames();
    std::vector<CUnicodeString> KeyNames(const CUnicodeString& section);

private:
    const CIniData& Data();

    CUnicodeString m_path;
    CIniData::FMalformedLine m_onMalformedLine;
    bool m_loaded = false;
    CIniData m_data;
};

} // namespace TObj
