// InternalError.h
// Holds CInternalError, the failure of an internal rule (an assertion or presumption),
// naming the source file and line and, for the kinds with a code, a Windows error code.
#pragma once

#include "Exception.h"

#include <cstdint>

namespace TObj {

enum EInternalErrorKind { kAssertion = 0, kAssertionWithCode = 1, kPresumption = 2, kPresumptionWithCode = 3 };

class CInternalError : public CException {
public:
    CInternalError(const WChar* file, int line, int kind, std::uint32_t code) noexcept
        : m_file(file), m_line(line), m_kind(kind), m_code(code)
    {}
    CUnicodeString GetMessageText() const override;
    // Counts the process's internal errors; from the third on the user may end the process.
    void Report() const override;

    const WChar* File() const noexcept { return m_file; }
    int Line() const noexcept { return m_line; }
    int Kind() const noexcept { return m_kind; }
    std::uint32_t Code() const noexcept { return m_code; }

    static int ReportedCountForTesting() noexcept;

private:
    const WChar* m_file; // a literal, never owned
    int m_line;
    int m_kind;
    std::uint32_t m_code;
};

// "0x" followed by lower-case hexadecimal digits without leading zeros.
CUnicodeString FormatErrorCode(std::uint32_t code);

} // namespace TObj
