// TextProbe.h
// Holds what the author's check asks of a page file's bytes: the lines where the launcher
// reads a replacement character, or leaves a byte out, because the bytes do not decode.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace TextProbe {

struct CUndecodable {
    int line;   // 1-based
    bool utf16; // a lone last byte of UTF-16, rather than broken UTF-8
};

// Each line of the file at `path` that holds bytes its encoding cannot decode, once.
std::vector<CUndecodable> UndecodableLines(const TObj::CUnicodeString& path);

} // namespace TextProbe
