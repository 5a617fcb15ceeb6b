// COMException.h
// Holds CCOMException, a failed COM call: its result code and the thread's error
// information when there is some; and the two throw functions for it. Windows only.
#pragma once

#include "Exception.h"

#include <cstdint>

struct IErrorInfo;

namespace TObj {

class CCOMException : public CException {
public:
    // Takes over one reference to `errorInfo`, which may be null.
    CCOMException(std::int32_t result, IErrorInfo* errorInfo) noexcept : m_result(result), m_errorInfo(errorInfo) {}
    ~CCOMException() override;
    CCOMException(const CCOMException&) = delete;
    CCOMException& operator=(const CCOMException&) = delete;
    CUnicodeString GetMessageText() const override;
    std::int32_t Result() const noexcept { return m_result; }

private:
    std::int32_t m_result;
    IErrorInfo* m_errorInfo; // owned reference, released by the destructor
};

// Takes the thread's COM error information and applies the throwing rules.
void ThrowComException(std::int32_t result);
// Throws without error information and without the throwing rules.
[[noreturn]] void ThrowComError(std::int32_t result);

} // namespace TObj
