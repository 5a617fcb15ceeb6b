#include "ProgramPaths.h"

#include "PathRules.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace TObj {

CUnicodeString GetProgramPath()
{
    static std::once_flag once;
    static CUnicodeString* path = nullptr; // kept to the end of the process, past static destruction
    std::call_once(once, [] {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length < buffer.size() - 1 || buffer.size() > 32768) {
                path = new CUnicodeString(buffer.data(), static_cast<int>(length));
                break;
            }
            buffer.resize(buffer.size() * 2);
        }
    });
    return *path;
}

CUnicodeString GetProgramFolder() { return FolderOf(GetProgramPath()); }

CUnicodeString GetProgramName() { return FileStemOf(GetProgramPath()); }

} // namespace TObj
