// The launcher's process entry.
#include "AutoRunApp.h"
#include "errors.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    TObj::CThreadErrorState& state = TObj::ThreadErrorState();
    // Failed checks are thrown while the launcher runs, and shown directly before and after.
    state.throwForbidden = false;
    if (state.errorAlreadyShown)
        return -1;
    const int exitCode = RunAutoRun();
    state.throwForbidden = true;
    return exitCode;
}
