// PointerArray.h
// Holds CPointerArray, the growable array of pointers used for pages, commands and
// controls. It grows to old capacity + max(old / 2, 8, shortfall); with Owns it deletes
// its elements.
#pragma once

#include "Errors.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace TObj {

template <typename T, bool Owns = false>
class CPointerArray {
public:
    CPointerArray() = default;
    CPointerArray(const CPointerArray&) = delete;
    CPointerArray& operator=(const CPointerArray&) = delete;
    CPointerArray(CPointerArray&& other) noexcept { Swap(other); }
    CPointerArray& operator=(CPointerArray&& other) noexcept
    {
        CPointerArray old(std::move(other));
        Swap(old);
        return *this;
    }
    ~CPointerArray()
    {
        Clear();
        std::free(m_items);
    }

    int Count() const noexcept { return m_count; }
    int Capacity() const noexcept { return m_capacity; }
    bool IsEmpty() const noexcept { return m_count == 0; }
    T* operator[](int index) const noexcept { return m_items[index]; }
    T* Last() const noexcept { return m_count > 0 ? m_items[m_count - 1] : nullptr; }
    T* const* begin() const noexcept { return m_items; }
    T* const* end() const noexcept { return m_items + m_count; }

    // An owning array takes the element even when growing fails (it is deleted then).
    void Add(T* item)
    {
        std::unique_ptr<T> guard(Owns ? item : nullptr);
        Reserve(m_count + 1);
        m_items[m_count++] = item;
        guard.release();
    }

    // Hands the last element back to the caller, also from an owning array.
    T* RemoveLast() noexcept { return m_count > 0 ? m_items[--m_count] : nullptr; }

    void Clear() noexcept
    {
        while (m_count > 0) {
            T* item = m_items[--m_count];
            if (Owns)
                delete item;
        }
    }

private:
    void Reserve(int needed)
    {
        if (needed <= m_capacity)
            return;
        const int grown = m_capacity + std::max(std::max(m_capacity / 2, 8), needed - m_capacity);
        void* items = std::realloc(m_items, sizeof(T*) * static_cast<std::size_t>(grown));
        if (items == nullptr)
            ThrowMemoryException();
        m_items = static_cast<T**>(items);
        m_capacity = grown;
    }

    void Swap(CPointerArray& other) noexcept
    {
        std::swap(m_items, other.m_items);
        std::swap(m_count, other.m_count);
        std::swap(m_capacity, other.m_capacity);
    }

    T** m_items = nullptr; // owned storage; the elements are owned only when Owns
    int m_count = 0;
    int m_capacity = 0;
};

} // namespace TObj
