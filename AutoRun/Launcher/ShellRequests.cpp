#include "ShellRequests.h"

#include <shellapi.h>

namespace {
CShellRequests g_shell;
CShellRequests* g_current = &g_shell;
} // namespace

INT_PTR CShellRequests::Open(HWND owner, const TObj::CUnicodeString& file, const TObj::CUnicodeString* parameters)
{
    return reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", file.W(), parameters != nullptr ? parameters->W() : nullptr, nullptr, SW_SHOW));
}

CShellRequests& CShellRequests::Current() { return *g_current; }
void CShellRequests::SetCurrent(CShellRequests* requests) { g_current = requests != nullptr ? requests : &g_shell; }
