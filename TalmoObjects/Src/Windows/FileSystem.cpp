#include "FileSystem.h"

#include "Errors.h"
#include "FileException.h"
#include "ReportPlaces.h"

#include <windows.h>

#include <vector>

namespace TObj {

namespace {

// Failed opens on removable media must not raise "insert a disk" boxes.
class CQuietErrorMode {
public:
    CQuietErrorMode() : m_previous(GetErrorMode())
    {
        SetErrorMode(m_previous | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    }
    ~CQuietErrorMode() { SetErrorMode(m_previous); }
    CQuietErrorMode(const CQuietErrorMode&) = delete;
    CQuietErrorMode& operator=(const CQuietErrorMode&) = delete;

private:
    UINT m_previous;
};

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

bool FileExists(const CUnicodeString& path, std::uint32_t mode)
{
    if (path.IsEmpty() || IsVirtualPath(path))
        return false;
    const CQuietErrorMode quiet;
    if (mode == kExistsInAnyWay) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW(path.W(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return false;
        FindClose(search);
        return true;
    }
    if ((mode & 0x70) == 0) {
        GenerateInternalError(kAssertion, Places::kExistsModeWithoutSharing);
        return false;
    }
    const DWORD access = (mode & 7) == 1 ? GENERIC_READ : (mode & 7) == 2 ? GENERIC_WRITE
                       : (mode & 7) == 3 ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ | GENERIC_EXECUTE;
    const DWORD sharing = (mode & 0x70) == 0x10 ? FILE_SHARE_WRITE : (mode & 0x70) == 0x20 ? FILE_SHARE_READ
                        : (mode & 0x70) == 0x40 ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE file = CreateFileW(path.W(), access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
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

} // namespace TObj
