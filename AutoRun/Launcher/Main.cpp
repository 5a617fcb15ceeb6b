// The launcher's process entry.
#include "AutoRunApp.h"
#include "Errors.h"

#include <windows.h>

namespace {

// The launcher runs from untrusted folders: before anything else, DLLs are looked up in
// System32 only, never in the disc's folder or the current one.
void RestrictDllSearch()
{
    using FSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<FSetDefaultDllDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "SetDefaultDllDirectories")));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    RestrictDllSearch();
    TObj::CThreadErrorState& state = TObj::ThreadErrorState();
    // Failed checks are thrown while the launcher runs, and shown directly before and after.
    state.throwForbidden = false;
    if (state.errorAlreadyShown)
        return -1;
    const int exitCode = RunAutoRun();
    state.throwForbidden = true;
    return exitCode;
}
