// UniqueHandle.h
// Holds TObj::CUniqueHandle, the one move-only owner of a system handle. A traits type
// tells it the handle's type, the value that means "no handle", and how a handle is given
// back:
//     struct CTraits { using Handle = ...; static Handle Empty() noexcept; static void Close(Handle) noexcept; };
// The kinds of the foundation library are in SystemHandles.h, the window library's beside
// the classes that use them.
#pragma once

#include <utility>

namespace TObj {

template <class Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() noexcept : m_handle(Traits::Empty()) {}
    explicit CUniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~CUniqueHandle() { Reset(); }

    Handle Get() const noexcept { return m_handle; }
    bool IsEmpty() const noexcept { return m_handle == Traits::Empty(); }
    // Gives back the handle held, if any, and takes `handle` in its place.
    void Reset(Handle handle = Traits::Empty()) noexcept
    {
        const Handle previous = std::exchange(m_handle, handle);
        if (!(previous == Traits::Empty()))
            Traits::Close(previous);
    }
    // Hands the handle to the caller, who then owns it; the owner is left empty.
    Handle Release() noexcept { return std::exchange(m_handle, Traits::Empty()); }

private:
    Handle m_handle; // owned
};

} // namespace TObj
