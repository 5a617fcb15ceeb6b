// The Windows answers to the platform questions: debug settings from the registry, the
// default message handler named by the program's version resource, and the message log.
#include "Platform.h"

#include "ConsoleMessageHandler.h"
#include "EventLogMessageHandler.h"
#include "MessageBoxHandler.h"
#include "ProgramPaths.h"
#include "RegistryKey.h"
#include "SystemHandles.h"
#include "TextEncoding.h"
#include "VersionInfo.h"

#include <windows.h>

#include <atomic>
#include <ctime>
#include <vector>

namespace TObj {

namespace {

// The library's three own instances. Destroying one retires the default handler, so
// messages during static destruction take the fallback.
struct CStaticMessageBoxHandler : CMessageBoxHandler {
    CStaticMessageBoxHandler() { MarkAsStaticInstance(); }
};
struct CStaticConsoleHandler : CConsoleMessageHandler {
    CStaticConsoleHandler() : CConsoleMessageHandler(GetStdHandle(STD_OUTPUT_HANDLE)) { MarkAsStaticInstance(); }
};
struct CStaticEventLogHandler : CEventLogMessageHandler {
    CStaticEventLogHandler() { MarkAsStaticInstance(); }
};

CStaticMessageBoxHandler g_messageBoxHandler;
CStaticConsoleHandler g_consoleHandler;
CStaticEventLogHandler g_eventLogHandler;

std::atomic<void (*)()> g_debuggerForTesting{nullptr};

bool StandardOutputIsUsable()
{
    const auto kind = CConsoleMessageHandler::KindOf(GetStdHandle(STD_OUTPUT_HANDLE));
    return kind != CConsoleMessageHandler::kNone;
}

} // namespace

namespace Platform {

int ReadUserDebugInt(const WChar* name, int fallback)
{
    return ReadDebugInt(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(name), fallback);
}

void SetDebuggerForTesting(void (*atBreak)()) noexcept { g_debuggerForTesting = atBreak; }

void ApplyStopMode(int mode)
{
    // A break with no debugger attached would end the process, so both modes need one.
    const auto debugger = g_debuggerForTesting.load();
    if ((mode == 2 || mode == 3) && (debugger != nullptr || IsDebuggerPresent()))
        debugger != nullptr ? debugger() : DebugBreak();
}

CMessageHandler* ChooseDefaultHandler()
{
    const CUnicodeString choice = ReadProgramVersionString(u"MessageHandler");
    if (choice == CUnicodeString(u"EVENTLOG"))
        return &g_eventLogHandler;
    if (choice == CUnicodeString(u"MESSAGEBOX"))
        return &g_messageBoxHandler;
    if (choice == CUnicodeString(u"CONSOLE"))
        return &g_consoleHandler;
    return StandardOutputIsUsable() ? static_cast<CMessageHandler*>(&g_consoleHandler) : &g_messageBoxHandler;
}

int ShowWithoutHandler(const CUnicodeString& text, const CUnicodeString& caption, unsigned flags)
{
    if (StandardOutputIsUsable()) {
        const std::vector<char> utf8 = CConsoleMessageHandler::ToLines(text).ToUtf8Bytes();
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return DefaultReply(flags);
    }
    return MessageBoxW(nullptr, text.W(), caption.W(), flags);
}

namespace {
// While the library runs, the machine's setting as read at its start (1 or 0); otherwise -1,
// and every line asks the registry.
std::atomic<int> g_messageLog{-1};
} // namespace

void HoldMessageLogSetting(bool hold) noexcept
{
    try {
        g_messageLog = hold ? (ReadDebugInt(HKEY_LOCAL_MACHINE, L"WriteMessageLog", 0) != 0 ? 1 : 0) : -1;
    } catch (...) {
        g_messageLog = -1;
    }
}

void WriteMessageLog(const CUnicodeString& text) noexcept
{
    // The log is a diagnostic: a read-only disc or any other failure must not disturb the
    // message it records, so every failure here is swallowed.
    try {
        const int held = g_messageLog.load();
        if (held == 0 || (held < 0 && ReadDebugInt(HKEY_LOCAL_MACHINE, L"WriteMessageLog", 0) == 0))
            return;
        const CUnicodeString path = GetProgramFolder() + u"TalmoObjLog.txt";
        const CFileHandle file(CreateFileW(path.W(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsEmpty())
            return;
        char stamp[16] = {0};
        const std::time_t now = std::time(nullptr);
        if (const std::tm* local = std::localtime(&now))
            std::strftime(stamp, sizeof stamp, "%H:%M:%S ", local);
        const std::vector<char> line =
            EncodeText(CUnicodeString(stamp) + u"ProcessID:" + CUnicodeString::FromUInt(GetCurrentProcessId()) + u" " +
                           text + u"\r\n",
                       CP_ACP);
        DWORD written = 0;
        WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    } catch (...) {
    }
}

} // namespace Platform
} // namespace TObj
