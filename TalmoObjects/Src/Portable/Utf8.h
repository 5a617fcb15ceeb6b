// Utf8.h
// Holds the UTF-8 <-> UTF-16 conversions of the portable text core. Malformed input
// (bad bytes, overlong forms, surrogates, unpaired surrogates) becomes U+FFFD.
#pragma once

#include "UnicodeString.h"

#include <cstddef>
#include <vector>

namespace TObj {

CUnicodeString DecodeUtf8(const char* bytes, std::size_t count);
std::vector<char> EncodeUtf8(const WChar* text, std::size_t count);

} // namespace TObj
