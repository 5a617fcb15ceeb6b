#include "LauncherProgram.h"

#include "ProgramPaths.h"

#include <windows.h>

TObj::CUnicodeString LauncherProgram()
{
    // A path of the build machine is reached through Wine's drive for its root.
    std::string shipped = AUTORUN_LAUNCHER_PROGRAM;
    if (shipped.empty())
        return TObj::GetProgramFolder() + u"..\\AutoRun\\Autorun.exe";
    for (char& c : shipped)
        c = c == '/' ? '\\' : c;
    return TObj::CUnicodeString(("Z:" + shipped).c_str());
}

bool RunsOn64BitWindows()
{
    BOOL wow64 = FALSE;
    return sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
}
