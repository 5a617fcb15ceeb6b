#include "File.h"

#include "Errors.h"
#include "FileException.h"
#include "FileSystem.h"
#include "ReportPlaces.h"

#include <limits>
#include <utility>

namespace TObj {

CFile::CFile(CFile&& other) noexcept : m_handle(std::move(other.m_handle)), m_path(other.m_path)
{
    other.m_path.Empty();
}

CFile& CFile::operator=(CFile&& other) noexcept
{
    if (this != &other) {
        m_handle = std::move(other.m_handle);
        m_path = other.m_path;
        other.m_path.Empty();
    }
    return *this;
}

bool CFile::RequireOpen(const CReportPlace& place) const
{
    return IsOpen() || GenerateInternalError(kAssertion, place);
}

void CFile::Open(const CUnicodeString& path, std::uint32_t mode, std::uint32_t attributes)
{
    if (IsOpen()) {
        GenerateInternalError(kAssertion, Places::kFileOpenedTwice);
        return;
    }
    const CUnicodeString fullPath = NormalizePath(path);
    DWORD access;
    switch (mode & 7) {
    case kRead: access = GENERIC_READ; break;
    case kWrite: access = GENERIC_WRITE; break;
    case kReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    case kReadExecute: access = GENERIC_READ | GENERIC_EXECUTE; break;
    default: GenerateInternalError(kAssertion, Places::kFileAccessMode); return;
    }
    DWORD sharing;
    switch (mode & 0x70) {
    case kShareWrite: sharing = FILE_SHARE_WRITE; break;
    case kShareRead: sharing = FILE_SHARE_READ; break;
    case kExclusive: sharing = 0; break;
    case kShareAll: sharing = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: GenerateInternalError(kAssertion, Places::kFileSharingMode); return;
    }
    const DWORD creation = (mode & kCreate) ? ((mode & kKeepContents) ? OPEN_ALWAYS : CREATE_ALWAYS)
                                            : ((mode & kCreateNew) ? CREATE_NEW : OPEN_EXISTING);
    if (IsVirtualPath(fullPath))
        ThrowFileException(ERROR_FILE_NOT_FOUND, fullPath);
    if (creation == CREATE_ALWAYS && (attributes & FILE_ATTRIBUTE_NORMAL) && FileExists(fullPath)) {
        const DWORD existing = GetFileAttributesW(fullPath.W());
        if (existing != INVALID_FILE_ATTRIBUTES)
            attributes |= existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
    CFileHandle handle(CreateFileW(fullPath.W(), access, sharing, nullptr, creation, attributes, nullptr));
    if (handle.IsEmpty())
        ThrowFileException(GetLastError(), fullPath);
    m_handle = std::move(handle);
    m_path = fullPath;
}

int CFile::Read(void* buffer, int count)
{
    if (count == 0)
        return 0;
    if (buffer == nullptr || count < 0) {
        GenerateInternalError(kAssertion, Places::kFileReadArguments);
        return 0;
    }
    // A closed file has no handle to fail with: once the misuse is told, nothing is read.
    if (!RequireOpen(Places::kFileReadClosed))
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_handle.Get(), buffer, static_cast<DWORD>(count), &read, nullptr))
        ThrowFileException(GetLastError(), m_path);
    return static_cast<int>(read);
}

std::vector<unsigned char> CFile::ReadToEnd()
{
    // A file longer than any text the library can hold (its lengths are ints) is memory
    // that cannot be had, also where a 32-bit size would cut its length short.
    const std::int64_t length = Length();
    if (length > std::numeric_limits<int>::max())
        ThrowMemoryException();
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const int read = Read(bytes.data() + filled, static_cast<int>(bytes.size() - filled));
        if (read == 0)
            break;
        filled += static_cast<std::size_t>(read);
    }
    bytes.resize(filled);
    return bytes;
}

void CFile::Write(const void* buffer, int count)
{
    if (count == 0)
        return;
    if (buffer == nullptr || count < 0) {
        GenerateInternalError(kAssertion, Places::kFileWriteArguments);
        return;
    }
    if (!RequireOpen(Places::kFileWriteClosed))
        return;
    DWORD written = 0;
    if (!WriteFile(m_handle.Get(), buffer, static_cast<DWORD>(count), &written, nullptr) ||
        written != static_cast<DWORD>(count))
        ThrowFileException(GetLastError() != 0 ? GetLastError() : ERROR_HANDLE_DISK_FULL, m_path);
}

std::int64_t CFile::Length() const
{
    if (!RequireOpen(Places::kFileLengthOfClosed))
        return 0;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_handle.Get(), &size))
        ThrowFileException(GetLastError(), m_path);
    return size.QuadPart;
}

void CFile::Close() noexcept
{
    m_handle.Reset();
    m_path.Empty();
}

} // namespace TObj
