// textstream.h
// Holds CTextFile, the text reader and writer over a CFile: on reading, a byte-order mark
// chooses UTF-16 LE, UTF-16 BE or UTF-8, else the caller's code page; lines end at every
// line end the library knows. On writing, the code page's mark is written first.
#pragma once

#include "TextDecoding.h"
#include "nativefile.h"

#include <vector>

namespace TObj {

class CTextFile {
public:
    enum EState { kClosed = 0, kReading = 1, kWriting = 2 };

    // Reads and decodes the whole file; bytes that are not valid in the detected
    // encoding raise ERR_BAD_TEXT_FILE with the path.
    void OpenForReading(const CUnicodeString& path, int fallbackCodePage = kCodePageAnsi);
    void OpenForWriting(const CUnicodeString& path, int codePage);
    // True while a line was read.
    bool ReadLine(CUnicodeString& line);
    void WriteLine(const CUnicodeString& line);
    void Close() noexcept;

    EState State() const noexcept { return m_state; }
    int CodePage() const noexcept { return m_codePage; }

private:
    CFile m_file;
    EState m_state = kClosed;
    int m_codePage = kCodePageAnsi;
    std::vector<CUnicodeString> m_lines;
    std::size_t m_next = 0;
};

} // namespace TObj
