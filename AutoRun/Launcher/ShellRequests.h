// ShellRequests.h
// Holds CShellRequests, the one way actions reach the Windows shell: open a target with
// parameters on behalf of the main window, reporting the shell's result so the runner can
// tell a missing association, and the program-chooser fallback.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

class CShellRequests {
public:
    virtual ~CShellRequests() = default;
    // ShellExecuteW(owner, "open", file, parameters, null, SW_SHOW); null parameters pass null.
    virtual INT_PTR Open(HWND owner, const TObj::CUnicodeString& file, const TObj::CUnicodeString* parameters);

    // The requests of the running launcher; tests and the dry run put their own in place.
    static CShellRequests& Current();
    static void SetCurrent(CShellRequests* requests);
};
