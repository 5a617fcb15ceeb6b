// File.h
// Holds CFile, the move-only owner of one open Win32 file, with the library's open modes
// (access, sharing and creation bits), reading, writing and its length. Every failed
// call throws a CFileException with the Windows error and the file's path.
#pragma once

#include "Errors.h"
#include "SystemHandles.h"
#include "UnicodeString.h"

#include <cstdint>
#include <vector>

namespace TObj {

class CFile {
public:
    enum EMode : std::uint32_t {
        kRead = 0x1,
        kWrite = 0x2,
        kReadWrite = 0x3,
        kReadExecute = 0x4,
        kShareWrite = 0x10,
        kShareRead = 0x20,
        kExclusive = 0x30,
        kShareAll = 0x40,
        kCreate = 0x1000,
        kKeepContents = 0x2000,
        kCreateNew = 0x4000,
    };
    static constexpr std::uint32_t kReadShared = kRead | kShareRead;                      // 0x21
    static constexpr std::uint32_t kCreateForWriting = kCreate | kWrite | kShareRead;     // 0x1022
    static constexpr std::uint32_t kAppendForWriting = kCreateForWriting | kKeepContents; // 0x3022

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;

    void Open(const CUnicodeString& path, std::uint32_t mode, std::uint32_t attributes = 0x80);
    // Reads once; returns the bytes read, 0 at the end of the file.
    int Read(void* buffer, int count);
    // Reads from the position to the end; a file that shrinks meanwhile ends where it ends.
    std::vector<unsigned char> ReadToEnd();
    void Write(const void* buffer, int count);
    std::int64_t Length() const;
    void Close() noexcept;

    bool IsOpen() const noexcept { return !m_handle.IsEmpty(); }
    const CUnicodeString& GetFileName() const noexcept { return m_path; }

private:
    // Whether the file is open; a closed one is reported as the misuse it is.
    bool RequireOpen(const CReportPlace& place) const;

    CFileHandle m_handle;
    CUnicodeString m_path;
};

} // namespace TObj
