// TextDecoding.h
// Holds the decoding side of the text reader: byte-order-mark detection, conversion of a
// code page's bytes into text, and the splitting of text into lines at every line end the
// library knows (LF, VT, FF, CR, CR LF, U+2028, U+2029).
#pragma once

#include "UnicodeString.h"

#include <cstddef>
#include <vector>

namespace TObj {

constexpr int kCodePageUtf16LE = 1200;
constexpr int kCodePageUtf16BE = 1201;
constexpr int kCodePageUtf8 = 65001;
constexpr int kCodePageAnsi = 0; // the system's ANSI code page

// The code page a byte-order mark selects (or `fallback`) and how many bytes the mark has.
int DetectEncoding(const unsigned char* bytes, std::size_t count, int fallback, std::size_t& markLength) noexcept;

// Converts bytes of `codePage` into text, as the system's conversion would: a broken UTF-8
// sequence becomes U+FFFD, and a lone last byte of UTF-16 is left out. False when that
// happened (the text is complete all the same), or when the text cannot be held at all.
bool DecodeText(const unsigned char* bytes, std::size_t count, int codePage, CUnicodeString& text);
// Where decoding replaced or left out bytes: the offsets of broken UTF-8 sequences, or of
// the lone last byte of UTF-16; empty for other code pages.
std::vector<std::size_t> UndecodableOffsets(const unsigned char* bytes, std::size_t count, int codePage);

// The lines of a text without their line ends. An empty last line after a final line end
// is no line, so "a\n" is one line and "" none.
std::vector<CUnicodeString> SplitLines(const CUnicodeString& text);

// The same lines as ranges of the text: the next line from `position` as `start` and
// `length`, with `position` moved past its line end; false when no line is left.
bool NextLine(const CUnicodeString& text, int& position, int& start, int& length) noexcept;

// Converts bytes of a single-byte or multi-byte code page; provided per platform.
bool DecodeCodePage(const unsigned char* bytes, std::size_t count, int codePage, CUnicodeString& text);

} // namespace TObj
