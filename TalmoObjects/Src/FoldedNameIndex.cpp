#include "FoldedNameIndex.h"

#include "CharClass.h"

namespace TObj {

namespace {

std::uint32_t Mixed(const WChar* name, int length) noexcept
{
    std::uint32_t hash = 2166136261u;
    for (int i = 0; i < length; ++i) {
        hash ^= FoldAsciiCase(name[i]);
        hash *= 16777619u;
    }
    // Names differ mostly in their middle ("Command17_Text"): mix all bits into the low
    // ones the table uses, or similar names cluster.
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    hash ^= hash >> 16;
    return hash;
}

// Names sharing a prefix up to "_" ("Command17_Text", "Command17_Rect") are mostly looked
// up together, so their slots lie within one run of kGroupSlots: a reader asking for all
// keys of one command then touches a few cache lines instead of one per key, however
// large the file. The high bits of a hash come from the prefix, the low ones from the rest.
constexpr int kRestBits = 12;
constexpr std::uint32_t kGroupSlots = 64;

std::size_t SlotOf(std::uint32_t hash, std::size_t mask) noexcept
{
    return ((static_cast<std::size_t>(hash >> kRestBits) * kGroupSlots) | (hash & (kGroupSlots - 1))) & mask;
}

} // namespace

std::uint32_t CFoldedNameIndex::Hash(const WChar* name, int length) noexcept
{
    int split = 0;
    while (split < length && name[split] != u'_')
        ++split;
    if (split == 0 || split >= length - 1)
        return Mixed(name, length);
    const std::uint32_t restMask = (1u << kRestBits) - 1;
    return (Mixed(name, split + 1) & ~restMask) | (Mixed(name + split + 1, length - split - 1) & restMask);
}

bool CFoldedNameIndex::SameFolded(CName a, const WChar* b, int length) noexcept
{
    if (a.length != length)
        return false;
    const WChar* units = a.units;
    for (int i = 0; i < length; ++i)
        if (FoldAsciiCase(units[i]) != FoldAsciiCase(b[i]))
            return false;
    return true;
}

void CFoldedNameIndex::Clear() noexcept
{
    m_slots.clear();
    m_count = 0;
}

std::int64_t CFoldedNameIndex::Find(const WChar* name, int length, const FNameAt& nameAt) const
{
    if (m_slots.empty())
        return -1;
    const std::uint32_t hash = Hash(name, length);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = SlotOf(hash, mask);; at = (at + 1) & mask) {
        const CSlot& slot = m_slots[at];
        if (slot.position == 0)
            return -1;
        if (slot.hash == hash && SameFolded(nameAt(slot.position - 1), name, length))
            return slot.position - 1;
    }
}

void CFoldedNameIndex::Add(const WChar* name, int length, std::uint32_t position)
{
    if (2 * (m_count + 1) > m_slots.size())
        Grow();
    const std::uint32_t hash = Hash(name, length);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = SlotOf(hash, mask);
    while (m_slots[at].position != 0)
        at = (at + 1) & mask;
    m_slots[at] = CSlot{hash, position + 1};
    ++m_count;
}

void CFoldedNameIndex::Grow()
{
    std::vector<CSlot> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? 16 : old.size() * 2, CSlot{0, 0});
    const std::size_t mask = m_slots.size() - 1;
    for (const CSlot& slot : old) {
        if (slot.position == 0)
            continue;
        std::size_t at = SlotOf(slot.hash, mask);
        while (m_slots[at].position != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

} // namespace TObj
