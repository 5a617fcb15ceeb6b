// errors.h
// Holds the root of the foundation library's failures:
//  - CException, thrown as a pointer and deleted by whoever catches it;
//  - CMemoryException, whose text needs no memory;
//  - ThrowMemoryException, raised by every failed allocation.
#pragma once

#include "UnicodeString.h"

#include <cstddef>

namespace TObj {

class CException {
public:
    virtual ~CException() = default;
    virtual CUnicodeString GetMessageText() const = 0;

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};

class CMemoryException : public CException {
public:
    CUnicodeString GetMessageText() const override;

    // Falls back to a reserve that does not depend on the failing heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
};

[[noreturn]] void ThrowMemoryException();

} // namespace TObj
