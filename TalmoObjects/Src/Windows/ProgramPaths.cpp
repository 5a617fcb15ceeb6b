#include "ProgramPaths.h"

#include "PathRules.h"

#include <windows.h>

#include <vector>

namespace TObj {

CUnicodeString GetProgramPath()
{
    // Kept to the end of the process, past static destruction.
    static const CUnicodeString* const path = [] {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (length < buffer.size() - 1 || buffer.size() > 32768)
                return new CUnicodeString(buffer.data(), static_cast<int>(length));
            buffer.resize(buffer.size() * 2);
        }
    }();
    return *path;
}

CUnicodeString GetProgramFolder() { return FolderOf(GetProgramPath()); }

CUnicodeString GetProgramName() { return FileStemOf(GetProgramPath()); }

} // namespace TObj
