// PageTypes.h
// Holds the plain geometry records of a page description: CPageRect (left, top, right,
// bottom in the main window's client coordinates), CPageSize, and the "no colour" value.
#pragma once

#include <cstdint>

constexpr std::uint32_t kNoColor = 0xFFFFFFFF;

struct CPageRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const CPageRect& a, const CPageRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const CPageRect& a, const CPageRect& b) { return !(a == b); }
};

struct CPageSize {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const CPageSize& a, const CPageSize& b)
    {
        return a.width == b.width && a.height == b.height;
    }
};
