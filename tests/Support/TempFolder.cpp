#include "TempFolder.h"

#include <fstream>
#include <iterator>

namespace {
void RemoveTree(const TObj::CUnicodeString& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + u"*").W(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const TObj::CUnicodeString name(found.cFileName);
            if (name == TObj::CUnicodeString(u".") || name == TObj::CUnicodeString(u".."))
                continue;
            const TObj::CUnicodeString path = folder + name;
            SetFileAttributesW(path.W(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + u"\\");
            else
                DeleteFileW(path.W());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.W());
}
} // namespace

CTempFolder::CTempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_folder = TObj::CUnicodeString::Format(u"%stobj-test-%lu-%d\\", reinterpret_cast<const char16_t*>(base),
                                            GetCurrentProcessId(), ++counter);
    CreateDirectoryW(m_folder.W(), nullptr);
}

CTempFolder::~CTempFolder() { RemoveTree(m_folder); }

TObj::CUnicodeString CTempFolder::Path(const char* name) const { return m_folder + TObj::CUnicodeString(name); }

TObj::CUnicodeString CTempFolder::Write(const char* name, const std::string& bytes) const
{
    const TObj::CUnicodeString path = Path(name);
    for (int at = path.Find(u'\\', m_folder.Length()); at >= 0; at = path.Find(u'\\', at + 1))
        CreateDirectoryW(path.Left(at).W(), nullptr);
    const HANDLE file = CreateFileW(path.W(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::string ReadBytes(const TObj::CUnicodeString& path)
{
    std::ifstream file(path.ToUtf8(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
