// FoldedNameIndex.h
// Holds CFoldedNameIndex, a flat open-addressing index from names (trimmed, A-Z folded)
// to positions in the caller's own list, and the hash and comparison of such names. It
// stores only hashes and positions, and hashes a name without copying it.
#pragma once

#include "UnicodeString.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace TObj {

class CFoldedNameIndex {
public:
    struct CName {
        const WChar* units;
        int length;
    };
    // The name stored at a position, to compare with a name looked up (both trimmed).
    using FNameAt = std::function<CName(std::uint32_t position)>;

    static std::uint32_t Hash(const WChar* name, int length) noexcept;
    static bool SameFolded(CName a, const WChar* b, int length) noexcept;

    void Clear() noexcept;
    // The position of `name`, or -1.
    std::int64_t Find(const WChar* name, int length, const FNameAt& nameAt) const;
    // Adds a name known to be absent.
    void Add(const WChar* name, int length, std::uint32_t position);
    // The same two, for a caller that has the name's Hash already.
    std::int64_t Find(std::uint32_t hash, const WChar* name, int length, const FNameAt& nameAt) const;
    void Add(std::uint32_t hash, std::uint32_t position);

private:
    struct CSlot {
        std::uint32_t hash;
        std::uint32_t position; // + 1; 0 marks an empty slot
    };
    void Grow();

    std::vector<CSlot> m_slots;
    std::uint32_t m_count = 0;
};

} // namespace TObj
