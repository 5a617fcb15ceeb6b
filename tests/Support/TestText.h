// TestText.h
// Holds helpers shared by the tests: UTF-8 literals as CUnicodeString, and printing of
// strings in gtest messages.
#pragma once

#include "UnicodeString.h"

#include <ostream>

inline TObj::CUnicodeString U(const char* utf8) { return TObj::CUnicodeString(utf8); }

namespace TObj {
inline void PrintTo(const CUnicodeString& text, std::ostream* os) { *os << '"' << text.ToUtf8() << '"'; }
} // namespace TObj
