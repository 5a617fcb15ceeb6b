// TextEncoding.h
// Holds the writing side of text: a text as the bytes of a Windows code page, and text
// with CR LF line ends for files, consoles and the clipboard. Windows only.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace TObj {

// The text in `codePage` (0 for the system's ANSI code page), without a terminator.
std::vector<char> EncodeText(const CUnicodeString& text, unsigned codePage);
// A CR before every LF that does not already follow one.
CUnicodeString WithCrLf(const CUnicodeString& text);

} // namespace TObj
