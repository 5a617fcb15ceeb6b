// Exception.h
// Holds the root of the foundation library's failures and its two simplest kinds:
//  - CException: thrown as a pointer, reported with ReportException, deleted by the catcher;
//  - CMemoryException: "Not enough memory!", whose text and storage need no free memory;
//  - CUserException: a silent abort of the current operation.
#pragma once

#include "UnicodeString.h"

#include <cstddef>

namespace TObj {

class CException {
public:
    virtual ~CException() = default;
    virtual CUnicodeString GetMessageText() const = 0;
    // Shows the text through ShowMessage with flags 0.
    virtual void Report() const;

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

class CUserException : public CException {
public:
    CUnicodeString GetMessageText() const override { return CUnicodeString(); }
    void Report() const override {}
};

} // namespace TObj
