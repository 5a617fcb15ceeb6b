#include "KeyIndex.h"

namespace TObj {

namespace {

// More keys than any command has; a group that reaches it sends further keys elsewhere.
constexpr std::uint32_t kMaxGroupKeys = 64;

std::uint64_t HashBit(std::uint32_t hash) noexcept { return std::uint64_t{1} << (hash >> 26); }

} // namespace

void CKeyIndex::Clear() noexcept
{
    m_keys.clear();
    m_groups.clear();
    m_groupIndex.Clear();
    m_overflow.Clear();
}

CKeyIndex::CNameHashes CKeyIndex::HashesOf(const WChar* name, int length) noexcept
{
    int split = 0;
    while (split < length && name[split] != u'_')
        ++split;
    // A name with "_" first or last, or none, is a group of its own.
    if (split == 0 || split >= length - 1) {
        const std::uint32_t hash = CFoldedNameIndex::Hash(name, length);
        return {length, hash, hash};
    }
    const std::uint32_t prefix = CFoldedNameIndex::Hash(name, split + 1);
    const std::uint32_t rest = CFoldedNameIndex::Hash(name + split + 1, length - split - 1);
    return {split + 1, prefix, prefix ^ (rest * 0x9E3779B1u)};
}

std::int64_t CKeyIndex::FindGroup(const WChar* text, const WChar* name, const CNameHashes& hashes) const
{
    // A group's prefix is the one of its first key.
    return m_groupIndex.Find(hashes.prefix, name, hashes.prefixLength, [this, text](std::uint32_t group) {
        return CFoldedNameIndex::CName{text + m_keys[m_groups[group].first].start, m_groups[group].prefixLength};
    });
}

std::int64_t CKeyIndex::FindInGroup(const CGroup& group, const WChar* text, const WChar* name, int length,
                                    std::uint32_t hash) const
{
    if ((group.hashBits & HashBit(hash)) != 0) {
        for (std::uint32_t at = group.first + 1; at != 0; at = m_keys[at - 1].next) {
            const CKey& key = m_keys[at - 1];
            if (key.hash == hash && CFoldedNameIndex::SameFolded({text + key.start, key.length}, name, length))
                return at - 1;
        }
    }
    if (group.count < kMaxGroupKeys)
        return -1;
    return m_overflow.Find(name, length, [this, text](std::uint32_t at) {
        return CFoldedNameIndex::CName{text + m_keys[at].start, m_keys[at].length};
    });
}

std::int64_t CKeyIndex::Find(const WChar* text, const WChar* name, int length) const
{
    const CNameHashes hashes = HashesOf(name, length);
    const std::int64_t group = FindGroup(text, name, hashes);
    return group < 0 ? -1 : FindInGroup(m_groups[static_cast<std::size_t>(group)], text, name, length, hashes.whole);
}

std::int64_t CKeyIndex::FindOrAdd(const WChar* text, int keyStart, int keyLength)
{
    const WChar* name = text + keyStart;
    const CNameHashes hashes = HashesOf(name, keyLength);
    const std::int64_t group = FindGroup(text, name, hashes);
    const std::uint32_t position = static_cast<std::uint32_t>(m_keys.size());
    if (group >= 0) {
        CGroup& found = m_groups[static_cast<std::size_t>(group)];
        const std::int64_t existing = FindInGroup(found, text, name, keyLength, hashes.whole);
        if (existing >= 0)
            return existing;
        m_keys.push_back(CKey{hashes.whole, 0, keyStart, keyLength});
        if (found.count >= kMaxGroupKeys) {
            m_overflow.Add(name, keyLength, position);
            return -1;
        }
        m_keys[found.last].next = position + 1;
        found.last = position;
        ++found.count;
        found.hashBits |= HashBit(hashes.whole);
        return -1;
    }
    m_keys.push_back(CKey{hashes.whole, 0, keyStart, keyLength});
    m_groupIndex.Add(hashes.prefix, static_cast<std::uint32_t>(m_groups.size()));
    m_groups.push_back(CGroup{position, position, 1, hashes.prefixLength, HashBit(hashes.whole)});
    return -1;
}

} // namespace TObj
