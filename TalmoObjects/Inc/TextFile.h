// TextFile.h
// Holds CTextFile, the text reader over a CFile: a byte-order mark chooses UTF-16 LE,
// UTF-16 BE or UTF-8, else the caller's code page; lines end at every line end the
// library knows.
#pragma once

#include "File.h"
#include "TextDecoding.h"

namespace TObj {

class CTextFile {
public:
    enum EState { kClosed = 0, kReading = 1 };

    // Reads and decodes the whole file; bytes that are not valid in the detected
    // encoding raise ERR_BAD_TEXT_FILE with the path.
    void OpenForReading(const CUnicodeString& path, int fallbackCodePage = kCodePageAnsi);
    // True while a line was read.
    bool ReadLine(CUnicodeString& line);
    // The whole decoded text of a file open for reading, line ends included; for readers
    // that take the lines as ranges of one text instead of one string each.
    const CUnicodeString& Text() const noexcept { return m_text; }
    void Close() noexcept;

    EState State() const noexcept { return m_state; }
    int CodePage() const noexcept { return m_codePage; }

private:
    CFile m_file;
    EState m_state = kClosed;
    int m_codePage = kCodePageAnsi;
    CUnicodeString m_text;
    int m_next = 0; // where the next line starts in m_text
};

} // namespace TObj
