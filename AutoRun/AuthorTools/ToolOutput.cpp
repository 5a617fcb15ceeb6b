#include "ToolOutput.h"

#include "ConsoleMessageHandler.h"
#include "MessageBox.h"

namespace {

// A GUI program gets no console of its own; the one of the program that started it, if
// any, is borrowed once and its output handle kept for the rest of the run.
HANDLE ParentConsoleOutput()
{
    static HANDLE output = [] {
        if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
            return INVALID_HANDLE_VALUE;
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    }();
    return output;
}

} // namespace

void ShowToolText(HWND owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption, unsigned boxFlags)
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (TObj::CConsoleMessageHandler::KindOf(output) == TObj::CConsoleMessageHandler::kNone)
        output = ParentConsoleOutput();
    if (TObj::CConsoleMessageHandler::KindOf(output) != TObj::CConsoleMessageHandler::kNone) {
        TObj::CConsoleMessageHandler console(output);
        console.Show(owner, text, caption, 0);
        return;
    }
    ZYR::CMessageBox box(owner, text, caption, boxFlags);
    box.DoModal();
}
