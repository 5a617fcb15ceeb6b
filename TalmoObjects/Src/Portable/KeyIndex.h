// KeyIndex.h
// Holds CKeyIndex, the index from the keys of one INI section (trimmed, A-Z folded) to
// their positions in the section's list. Keys that share a prefix up to "_"
// ("Command17_Text", "Command17_Rect") form a group, and groups are kept in the order the
// file first names them: a reader asking for the keys of one command after another then
// walks memory in order, and the one table it probes at random holds a slot per group,
// not per key, so it stays small however many commands a page has.
#pragma once

#include "FoldedNameIndex.h"
#include "SegmentedArray.h"

#include <cstdint>

namespace TObj {

// Keys are ranges of one text, which every call passes.
class CKeyIndex {
public:
    struct CRange {
        int start, length;
    };

    void Clear() noexcept;
    // Where the key at `position` stands in the text.
    CRange KeyAt(std::uint32_t position) const noexcept { return {m_keys[position].start, m_keys[position].length}; }
    // The position of `name` (trimmed), or -1.
    std::int64_t Find(const WChar* text, const WChar* name, int length) const;
    // The position of the key at [keyStart, keyStart + keyLength) of `text`; or, when it
    // is new, -1 after adding it at the next position (the count of keys so far).
    std::int64_t FindOrAdd(const WChar* text, int keyStart, int keyLength);

private:
    struct CNameHashes {
        int prefixLength; // the group's part of the name: up to "_", or all of it
        std::uint32_t prefix;
        std::uint32_t whole;
    };
    struct CKey {
        std::uint32_t hash; // of the whole name
        std::uint32_t next; // the next position in the group, + 1; 0 ends it
        int start, length;  // in the text
    };
    struct CGroup {
        std::uint32_t first, last; // positions
        std::uint32_t count;
        int prefixLength;
        std::uint64_t hashBits; // a bit for each key's hash: most absent names stop here
    };

    static CNameHashes HashesOf(const WChar* name, int length) noexcept;
    // The group of the name's prefix, or -1.
    std::int64_t FindGroup(const WChar* text, const WChar* name, const CNameHashes& hashes) const;
    std::int64_t FindInGroup(const CGroup& group, const WChar* text, const WChar* name, int length,
                             std::uint32_t hash) const;

    CSegmentedArray<CKey> m_keys;     // by position
    CSegmentedArray<CGroup> m_groups; // in the order of their first key
    CFoldedNameIndex m_groupIndex;    // a group's prefix -> the group
    // A group stops growing at kMaxGroupKeys; its further keys are indexed one by one
    // here, so a file of endless keys with one prefix costs no longer walks.
    CFoldedNameIndex m_overflow;
};

} // namespace TObj
