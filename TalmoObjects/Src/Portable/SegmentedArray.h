// SegmentedArray.h
// Holds CSegmentedArray, an array that grows by whole segments of a fixed size and never
// moves what it holds. Growing a large array by doubling copies it into fresh memory;
// on a long page file that copying, and the system's first touch of each fresh page,
// made every key cost more than on a short one. Segments stay small heap blocks: an INI
// file holds a few such arrays per section, and a file of thousands of small sections
// whose every array took 4,096 items asked for more memory than a 32-bit process has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace TObj {

template <typename T>
class CSegmentedArray {
public:
    CSegmentedArray() = default;
    CSegmentedArray(CSegmentedArray&&) noexcept = default;
    CSegmentedArray& operator=(CSegmentedArray&&) noexcept = default;
    CSegmentedArray(const CSegmentedArray& other) : m_count(0)
    {
        for (std::size_t i = 0; i < other.m_count; ++i)
            push_back(other[i]);
    }
    CSegmentedArray& operator=(const CSegmentedArray& other)
    {
        CSegmentedArray copy(other);
        return *this = std::move(copy);
    }

    std::size_t size() const noexcept { return m_count; }
    bool empty() const noexcept { return m_count == 0; }
    T& operator[](std::size_t at) noexcept { return m_segments[at >> kShift][at & kMask]; }
    const T& operator[](std::size_t at) const noexcept { return m_segments[at >> kShift][at & kMask]; }

    void push_back(const T& item)
    {
        if ((m_count >> kShift) == m_segments.size())
            m_segments.emplace_back(new T[kSegment]);
        (*this)[m_count] = item;
        ++m_count;
    }

    // The number of items a segment holds.
    static constexpr std::size_t SegmentSize() noexcept { return kSegment; }

    void clear() noexcept
    {
        m_segments.clear();
        m_count = 0;
    }

private:
    // 256 items: a few KB, well inside the heap's small blocks.
    static constexpr unsigned kShift = 8;
    static constexpr std::size_t kSegment = std::size_t{1} << kShift;
    static constexpr std::size_t kMask = kSegment - 1;

    std::vector<std::unique_ptr<T[]>> m_segments;
    std::size_t m_count = 0;
};

} // namespace TObj
