#include "FileSystem.h"

#include "Errors.h"
#include "FileException.h"
#include "ReportPlaces.h"
#include "ScopeExit.h"
#include "SystemHandles.h"

#include <windows.h>

#include <vector>

namespace TObj {

namespace {

// Failed opens on removable media must not raise "insert a disk" boxes: until the
// returned guard ends, they fail quietly.
auto QuietErrorMode()
{
    const UINT previous = GetErrorMode();
    SetErrorMode(previous | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return OnScopeExit([previous] { SetErrorMode(previous); });
}

} // namespace

bool IsVirtualPath(const CUnicodeString& path)
{
    static const CUnicodeString prefix(u"\\\\Orvex\\TalmoObjects\\VirtualFiles$\\");
    return path.Left(prefix.Length()).EqualsNoCase(prefix);
}

CUnicodeString NormalizePath(const CUnicodeString& path)
{
    if (path.IsEmpty())
        return path;
    std::vector<wchar_t> buffer(261);
    for (;;) {
        const DWORD length = GetFullPathNameW(path.W(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            ThrowFileException(GetLastError() != 0 ? GetLastError() : ERROR_INVALID_NAME, path);
        if (length < buffer.size())
            return CUnicodeString(buffer.data(), static_cast<int>(length));
        buffer.resize(length + 1);
    }
}

CUnicodeString CombinePath(const CUnicodeString& folder, const CUnicodeString& name)
{
    if (PathKindOf(name) == kPathDriveRelative)
        return NormalizePath(name);
    return JoinPath(folder, name);
}

CUnicodeString CombineAndNormalize(const CUnicodeString& folder, const CUnicodeString& name)
{
    return NormalizePath(CombinePath(folder, name));
}

bool PathExists(const CUnicodeString& path)
{
    if (path.IsEmpty() || IsVirtualPath(path))
        return false;
    const auto quiet = QuietErrorMode();
    return GetFileAttributesW(path.W()) != INVALID_FILE_ATTRIBUTES;
}

bool FileExists(const CUnicodeString& path, std::uint32_t mode)
{
    if (path.IsEmpty() || IsVirtualPath(path))
        return false;
    const auto quiet = QuietErrorMode();
    if (mode == kExistsInAnyWay) {
        WIN32_FIND_DATAW found;
        return !CFindHandle(FindFirstFileW(path.W(), &found)).IsEmpty();
    }
    if ((mode & 0x70) == 0) {
        GenerateInternalError(kAssertion, Places::kExistsModeWithoutSharing);
        return false;
    }
    const DWORD access = (mode & 7) == 1   ? GENERIC_READ
                         : (mode & 7) == 2 ? GENERIC_WRITE
                         : (mode & 7) == 3 ? GENERIC_READ | GENERIC_WRITE
                                           : GENERIC_READ | GENERIC_EXECUTE;
    const DWORD sharing = (mode & 0x70) == 0x10   ? FILE_SHARE_WRITE
                          : (mode & 0x70) == 0x20 ? FILE_SHARE_READ
                          : (mode & 0x70) == 0x40 ? FILE_SHARE_READ | FILE_SHARE_WRITE
                                                  : 0;
    return !CFileHandle(CreateFileW(path.W(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
                .IsEmpty();
}

std::size_t ReadFileStart(const CUnicodeString& path, void* buffer, std::size_t count) noexcept
{
    const auto quiet = QuietErrorMode();
    const CFileHandle file(CreateFileW(path.W(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD read = 0;
    if (file.IsEmpty() || !ReadFile(file.Get(), buffer, static_cast<DWORD>(count), &read, nullptr))
        return 0;
    return read;
}

CUnicodeString GetCurrentFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            ThrowFileException(GetLastError(), CUnicodeString());
        if (length < buffer.size())
            return CUnicodeString(buffer.data(), static_cast<int>(length));
        buffer.resize(length + 1);
    }
}

void MakeFolders(const CUnicodeString& path)
{
    // Parents that cannot be made (a drive's root, a share) are left to the last call, which
    // tells why.
    for (int at = path.Find(u'\\', 3); at >= 0; at = path.Find(u'\\', at + 1))
        CreateDirectoryW(path.Left(at).W(), nullptr);
    if (CreateDirectoryW(path.W(), nullptr))
        return;
    const DWORD error = GetLastError();
    // A folder already there is what was asked for, whatever the error: Windows refuses a
    // drive's root with "access denied" rather than "already exists".
    const DWORD attributes = GetFileAttributesW(path.W());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        ThrowFileException(error, path);
}

} // namespace TObj
