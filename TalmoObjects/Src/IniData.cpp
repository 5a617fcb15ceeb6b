#include "IniData.h"

#include "CharClass.h"
#include "errors.h"

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_BAD_INI_FILE);
}

void CIniData::Clear()
{
    m_sections.clear();
    m_index.Clear();
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
        CSection* section = FindSection(current);
        if (section == nullptr) {
            m_index.Add(current.Ptr(), current.Length(), static_cast<std::uint32_t>(m_sections.size()));
            m_sections.push_back(CSection{current, {}, {}});
            section = &m_sections.back();
        }
        CEntry entry{line, equals, line, equals + 1, line.Length() - equals - 1, static_cast<int>(number + 1)};
        while (entry.keyLength > 0 && IsWhiteSpace(line[entry.keyLength - 1]))
            --entry.keyLength;
        while (entry.valueLength > 0 && IsWhiteSpace(line[entry.valueStart]))
            ++entry.valueStart, --entry.valueLength;
        const auto& entries = section->entries;
        const std::int64_t existing = section->index.Find(
            line.Ptr(), entry.keyLength, [&entries](std::uint32_t at) { return entries[at].Key(); });
        if (existing < 0) {
            section->index.Add(line.Ptr(), entry.keyLength, static_cast<std::uint32_t>(section->entries.size()));
            section->entries.push_back(entry);
        } else { // the value changes; the key keeps its first spelling and place
            CEntry& kept = section->entries[static_cast<std::size_t>(existing)];
            kept.valueLine = line;
            kept.valueStart = entry.valueStart;
            kept.valueLength = entry.valueLength;
            kept.line = entry.line;
        }
    }
}

CIniData::CSection* CIniData::FindSection(const CUnicodeString& trimmedName)
{
    const std::int64_t at = m_index.Find(trimmedName.Ptr(), trimmedName.Length(), [this](std::uint32_t i) {
        return CFoldedNameIndex::CName{m_sections[i].name.Ptr(), m_sections[i].name.Length()};
    });
    return at < 0 ? nullptr : &m_sections[static_cast<std::size_t>(at)];
}

const CIniData::CSection* CIniData::FindSection(const CUnicodeString& section) const
{
    return const_cast<CIniData*>(this)->FindSection(section.Trimmed());
}

const CIniData::CEntry* CIniData::FindEntry(const CUnicodeString& section, const CUnicodeString& key) const
{
    const CSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const CUnicodeString name = key.Trimmed();
    const auto& entries = found->entries;
    const std::int64_t at =
        found->index.Find(name.Ptr(), name.Length(), [&entries](std::uint32_t i) { return entries[i].Key(); });
    return at < 0 ? nullptr : &entries[static_cast<std::size_t>(at)];
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
    return entry != nullptr ? entry->Value() : fallback;
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
        names.push_back(entry.KeyText());
    return names;
}

} // namespace TObj
