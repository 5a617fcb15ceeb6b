#include "IniData.h"

#include "CharClass.h"
#include "Errors.h"
#include "FoldedNameIndex.h"
#include "KeyIndex.h"
#include "ReportPlaces.h"
#include "SegmentedArray.h"
#include "TextDecoding.h"

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_BAD_INI_FILE);
}

struct CIniData::CEntry { // the key's range is in the section's index
    int valueStart, valueLength;
    int line;
};

struct CIniData::CSection {
    CUnicodeString name;
    CSegmentedArray<CEntry> entries;
    CKeyIndex index; // key -> entry
};

struct CIniData::CSections {
    std::vector<CSection> list;
    CFoldedNameIndex index; // section name -> section
};

CIniData::CIniData() : m_sections(new CSections) {}
CIniData::~CIniData() = default;
CIniData::CIniData(CIniData&&) noexcept = default;
CIniData& CIniData::operator=(CIniData&&) noexcept = default;

void CIniData::Clear()
{
    m_text = CUnicodeString();
    m_sections->list.clear();
    m_sections->index.Clear();
}

void CIniData::Parse(const CUnicodeString& text, const CUnicodeString& pathForMessages,
                     const FMalformedLine& onMalformedLine)
{
    Clear();
    m_text = text;
    const WChar* units = m_text.Ptr();
    CUnicodeString current;
    int position = 0, lineStart = 0, lineLength = 0;
    for (int number = 1; NextLine(m_text, position, lineStart, lineLength); ++number) {
        int start = lineStart, end = lineStart + lineLength; // the trimmed line is [start, end)
        while (start < end && IsWhiteSpace(units[start]))
            ++start;
        while (end > start && IsWhiteSpace(units[end - 1]))
            --end;
        if (start == end || units[start] == u';' ||
            (units[start] == u'/' && end - start > 1 && units[start + 1] == u'/'))
            continue;
        int close = end - 1;
        while (close > start && units[close] != u']')
            --close;
        if (units[start] == u'[' && close > start) {
            current = m_text.Mid(start + 1, close - start - 1).Trimmed();
            continue;
        }
        int equals = start;
        while (equals < end && units[equals] != u'=')
            ++equals;
        if (equals == end && onMalformedLine) {
            onMalformedLine(number);
            continue;
        }
        if (equals == end) {
            Clear();
            ThrowCheckError(ERR_BAD_INI_FILE, pathForMessages,
                            CUnicodeString::FromUInt(static_cast<std::uint64_t>(number)));
            return;
        }
        CSection* section = FindSection(current);
        if (section == nullptr) {
            m_sections->index.Add(current.Ptr(), current.Length(), static_cast<std::uint32_t>(m_sections->list.size()));
            m_sections->list.push_back(CSection{current, {}, {}});
            section = &m_sections->list.back();
        }
        int keyLength = equals - start; // the key starts the trimmed line
        while (keyLength > 0 && IsWhiteSpace(units[start + keyLength - 1]))
            --keyLength;
        CEntry entry{equals + 1, end - equals - 1, number};
        while (entry.valueLength > 0 && IsWhiteSpace(units[entry.valueStart]))
            ++entry.valueStart, --entry.valueLength;
        const std::int64_t existing = section->index.FindOrAdd(units, start, keyLength);
        if (existing < 0)
            section->entries.push_back(entry);
        else // the value changes; the key keeps its first spelling and place
            section->entries[static_cast<std::size_t>(existing)] = entry;
    }
}

CIniData::CSection* CIniData::FindSection(const CUnicodeString& trimmedName)
{
    const std::vector<CSection>& list = m_sections->list;
    const std::int64_t at = m_sections->index.Find(trimmedName.Ptr(), trimmedName.Length(), [&list](std::uint32_t i) {
        return CFoldedNameIndex::CName{list[i].name.Ptr(), list[i].name.Length()};
    });
    return at < 0 ? nullptr : &m_sections->list[static_cast<std::size_t>(at)];
}

const CIniData::CSection* CIniData::FindSection(const CUnicodeString& section) const
{
    return const_cast<CIniData*>(this)->FindSection(section.Trimmed());
}

const CIniData::CEntry* CIniData::FindEntry(const CUnicodeString& section, const CUnicodeString& key) const
{
    return FindEntry(section, key.Ptr(), key.Length());
}

const CIniData::CEntry* CIniData::FindEntry(const CUnicodeString& section, const WChar* key, int keyLength) const
{
    const CSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    while (keyLength > 0 && IsWhiteSpace(key[0]))
        ++key, --keyLength;
    while (keyLength > 0 && IsWhiteSpace(key[keyLength - 1]))
        --keyLength;
    const std::int64_t at = found->index.Find(m_text.Ptr(), key, keyLength);
    return at < 0 ? nullptr : &found->entries[static_cast<std::size_t>(at)];
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
    return entry != nullptr ? m_text.Mid(entry->valueStart, entry->valueLength) : fallback;
}

bool CIniData::HasKey(const CUnicodeString& section, const WChar* key, int keyLength) const
{
    return FindEntry(section, key, keyLength) != nullptr;
}

bool CIniData::TryGetValue(const CUnicodeString& section, const WChar* key, int keyLength, CUnicodeString& value) const
{
    const CEntry* entry = FindEntry(section, key, keyLength);
    if (entry == nullptr)
        return false;
    value = m_text.Mid(entry->valueStart, entry->valueLength);
    return true;
}

int CIniData::LineOf(const CUnicodeString& section, const CUnicodeString& key) const
{
    const CEntry* entry = FindEntry(section, key);
    return entry != nullptr ? entry->line : 0;
}

std::vector<CUnicodeString> CIniData::SectionNames() const
{
    std::vector<CUnicodeString> names;
    for (const CSection& section : m_sections->list)
        names.push_back(section.name);
    return names;
}

std::vector<CUnicodeString> CIniData::KeyNames(const CUnicodeString& section) const
{
    std::vector<CUnicodeString> names;
    const CSection* found = FindSection(section);
    if (found == nullptr) {
        GenerateInternalError(kAssertion, Places::kKeysOfMissingSection);
        return names;
    }
    for (std::uint32_t at = 0; at < found->entries.size(); ++at) {
        const CKeyIndex::CRange key = found->index.KeyAt(at);
        names.push_back(m_text.Mid(key.start, key.length));
    }
    return names;
}

} // namespace TObj
