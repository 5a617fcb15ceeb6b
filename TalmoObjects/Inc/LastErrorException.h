// LastErrorException.h
// Holds CLastErrorException, a failure described by a Windows error code, and the throw
// function for it.
#pragma once

#include "Exception.h"

#include <cstdint>

namespace TObj {

class CLastErrorException : public CException {
public:
    explicit CLastErrorException(std::uint32_t code) noexcept : m_code(code) {}
    CUnicodeString GetMessageText() const override;
    std::uint32_t Code() const noexcept { return m_code; }

private:
    std::uint32_t m_code;
};

void ThrowLastErrorException(std::uint32_t code);

} // namespace TObj
