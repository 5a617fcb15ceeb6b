#include "FoldedNameIndex.h"

#include "CharClass.h"

namespace TObj {

namespace {

std::uint64_t FoldedUnit(WChar unit) noexcept { return FoldAsciiCase(unit); }

} // namespace

std::uint32_t CFoldedNameIndex::Hash(const WChar* name, int length) noexcept
{
    // Four folded units a step, the last few as one more step: keys are short, and this
    // runs for every key of a file and every lookup.
    std::uint64_t hash = 0xCBF29CE484222325ull ^ static_cast<std::uint64_t>(length);
    int i = 0;
    for (; i + 4 <= length; i += 4) {
        const std::uint64_t word = FoldedUnit(name[i]) | FoldedUnit(name[i + 1]) << 16 | FoldedUnit(name[i + 2]) << 32 |
                                   FoldedUnit(name[i + 3]) << 48;
        hash = (hash ^ word) * 0x100000001B3ull;
        hash ^= hash >> 29;
    }
    if (i < length) {
        std::uint64_t word = 0;
        for (int shift = 0; i < length; ++i, shift += 16)
            word |= FoldedUnit(name[i]) << shift;
        hash = (hash ^ word) * 0x100000001B3ull;
    }
    // Names differ mostly in a few units ("Command17_Text"): mix every bit into the low
    // ones the tables use, or similar names cluster.
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    return static_cast<std::uint32_t>(hash);
}

bool CFoldedNameIndex::SameFolded(CName a, const WChar* b, int length) noexcept
{
    if (a.length != length)
        return false;
    const WChar* units = a.units;
    for (int i = 0; i < length; ++i)
        if (units[i] != b[i] && FoldAsciiCase(units[i]) != FoldAsciiCase(b[i]))
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
    return m_slots.empty() ? -1 : Find(Hash(name, length), name, length, nameAt);
}

void CFoldedNameIndex::Add(const WChar* name, int length, std::uint32_t position) { Add(Hash(name, length), position); }

std::int64_t CFoldedNameIndex::Find(std::uint32_t hash, const WChar* name, int length, const FNameAt& nameAt) const
{
    if (m_slots.empty())
        return -1;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const CSlot& slot = m_slots[at];
        if (slot.position == 0)
            return -1;
        if (slot.hash == hash && SameFolded(nameAt(slot.position - 1), name, length))
            return slot.position - 1;
    }
}

void CFoldedNameIndex::Add(std::uint32_t hash, std::uint32_t position)
{
    if (2 * (m_count + 1) > m_slots.size())
        Grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
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
        std::size_t at = slot.hash & mask;
        while (m_slots[at].position != 0)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

} // namespace TObj
