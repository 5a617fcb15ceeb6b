// TextProbe.h
// Holds what the author's check asks of a page file's bytes: the lines where the launcher
// reads a replacement character, or leaves a byte out, because the bytes do not decode; and
// the lines of UTF-8 text in a file without a mark, which the launcher reads as ANSI.
#pragma once

#include "UnicodeString.h"

#include <vector>

namespace TextProbe {

struct CUndecodable {
    int line;   // 1-based
    bool utf16; // a lone last byte of UTF-16, rather than broken UTF-8
};

struct CTextFindings {
    // Each line that holds bytes its encoding cannot decode, once.
    std::vector<CUndecodable> undecodable;
    // In a file without a byte-order mark, each line (1-based) that holds a well-formed
    // multi-byte UTF-8 sequence: saved as UTF-8 without its mark, it reads wrongly.
    std::vector<int> utf8WithoutMark;
};

// What the bytes of the file at `path` hold, read once; nothing for a file that cannot be
// read (the reader reports it).
CTextFindings ProbeText(const TObj::CUnicodeString& path);

} // namespace TextProbe
