#include "IniData.h"

#include "CharClass.h"
#include "errors.h"

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_BAD_INI_FILE);
}

std::u16string CIniData::Folded(const CUnicodeString& name)
{
    const CUnicodeString trimmed = name.Trimmed();
    std::u16string folded(trimmed.Ptr(), static_cast<std::size_t>(trimmed.Length()));
    for (char16_t& ch : folded)
        ch = FoldAsciiCase(ch);
    return folded;
}

void CIniData::Clear()
{
    m_sections.clear();
    m_index.clear();
}

void CIniData::Parse(const std::vector<CUnicodeString>& lines, const CUnicodeString& pathForMessages)
{
    Clear();
    CUnicodeString current;
    for (std::size_t number = 0; number < lines.size(); ++number) {
        const CUnicodeString line = lines[number].Trimmed();
        if (line.IsEmpty() || line[0] == u';' || (line[0] == u'/' && line[1] == u'/'))
            continue;
        const int close = line.ReverseFind(u']');
        if (line[0] == u'[' && close > 0) {
            current = line.Mid(1, close - 1).Trimmed();
            continue;
        }
        const int equals = line.Find(u'=');
        if (equals < 0) {
            Clear();
            ThrowCheckError(ERR_BAD_INI_FILE, pathForMessages, CUnicodeString::FromUInt(number + 1));
            return;
        }
        const std::u16string sectionKey = Folded(current);
        auto found = m_index.find(sectionKey);
        if (found == m_index.end()) {
            found = m_index.emplace(sectionKey, m_sections.size()).first;
            m_sections.push_back(CSection{current, {}, {}});
        }
        CSection& section = m_sections[found->second];
        const CUnicodeString key = line.Left(equals).Trimmed();
        CEntry entry{key, line.Mid(equals + 1).Trimmed(), static_cast<int>(number + 1)};
        const auto existing = section.index.emplace(Folded(key), section.entries.size());
        if (existing.second)
            section.entries.push_back(entry);
        else // the value changes; the key keeps its first spelling and place
            section.entries[existing.first->second].value = entry.value,
                section.entries[existing.first->second].line = entry.line;
    }
}

const CIniData::CSection* CIniData::FindSection(const CUnicodeString& section) const
{
    const auto found = m_index.find(Folded(section));
    return found == m_index.end() ? nullptr : &m_sections[found->second];
}

const CIniData::CEntry* CIniData::FindEntry(const CUnicodeString& section, const CUnicodeString& key) const
{
    const CSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const auto entry = found->index.find(Folded(key));
    return entry == found->index.end() ? nullptr : &found->entries[entry->second];
}

bool CIniData::HasSection(const CUnicodeString& section) const { return FindSection(section) != nullptr; }

bool CIniData::HasKey(const CUnicodeString& section, const CUnicodeString& key) const
{
    return FindEntry(section, key) != nullptr;
}

CUnicodeString CIniData::GetValue(const CUnicodeString& section, const CUnicodeString& key,
                                  const CUnicodeString& fallback) const
{
    const CEntry* entry = FindEntry(section, key);
    return entry != nullptr ? entry->value : fallback;
}

int CIniData::LineOf(const CUnicodeString& section, const CUnicodeString& key) const
{
    const CEntry* entry = FindEntry(section, key);
    return entry != nullptr ? entry->line : 0;
}

std::vector<CUnicodeString> CIniData::SectionNames() const
{
    std::vector<CUnicodeString> names;
    for (const CSection& section : m_sections)
        names.push_back(section.name);
    return names;
}

std::vector<CUnicodeString> CIniData::KeyNames(const CUnicodeString& section) const
{
    std::vector<CUnicodeString> names;
    const CSection* found = FindSection(section);
    if (found == nullptr) {
        GenerateInternalError(kAssertion, u"", u"", u"inifile", 268, 0);
        return names;
    }
    for (const CEntry& entry : found->entries)
        names.push_back(entry.key);
    return names;
}

} // namespace TObj
