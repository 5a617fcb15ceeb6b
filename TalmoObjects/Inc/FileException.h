// FileException.h
// Holds CFileException, a failed file operation: the Windows error code, its cause (one
// of sixteen kinds, each with its own message) and the file name; and ThrowFileException.
#pragma once

#include "Exception.h"

#include <cstdint>

namespace TObj {

class CFileException : public CException {
public:
    enum ECause {
        kGeneric = 1,
        kFileNotFound,
        kBadPath,
        kTooManyOpenFiles,
        kAccessDenied,
        kInvalidFile,
        kRemoveCurrentDir,
        kDirectoryFull,
        kBadSeek,
        kHardIO,
        kSharingViolation,
        kLockViolation,
        kDiskFull,
        kEndOfFile,
        kAlreadyExists,
        kDirectoryNotEmpty
    };

    CFileException(std::uint32_t code, int cause, const CUnicodeString& fileName);
    CUnicodeString GetMessageText() const override;

    std::uint32_t Code() const noexcept { return m_code; }
    int Cause() const noexcept { return m_cause; }
    const CUnicodeString& FileName() const noexcept { return m_fileName; }

    // The cause of a non-zero Windows error code; code 0 is an internal error.
    static int CauseOfError(std::uint32_t code);

private:
    std::uint32_t m_code;
    int m_cause;
    CUnicodeString m_fileName;
};

// Maps the code to its cause and always throws, whatever the throwing rules say.
[[noreturn]] void ThrowFileException(std::uint32_t code, const CUnicodeString& fileName);

} // namespace TObj
