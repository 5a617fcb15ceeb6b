#include "ShellRequests.h"

#include "LastErrorException.h"
#include "SystemLibrary.h"

#include <shellapi.h>

namespace {
CShellRequests g_shell;
CShellRequests* g_current = &g_shell;
} // namespace

// The shell is looked up at the first action, from System32: loading it at start costs
// every start a noticeable time that most never need.
INT_PTR CShellRequests::Open(HWND owner, const TObj::CUnicodeString& file, const TObj::CUnicodeString* parameters)
{
    static const auto shellExecute = TObj::SystemFunctionAs<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute == nullptr)
        TObj::ThrowLastErrorException(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<INT_PTR>(
        shellExecute(owner, L"open", file.W(), parameters != nullptr ? parameters->W() : nullptr, nullptr, SW_SHOW));
}

CShellRequests& CShellRequests::Current() { return *g_current; }
void CShellRequests::SetCurrent(CShellRequests* requests) { g_current = requests != nullptr ? requests : &g_shell; }
