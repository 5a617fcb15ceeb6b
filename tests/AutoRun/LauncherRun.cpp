#include "LauncherRun.h"

#include "ProgramPaths.h"

#include <memory>

CLauncherRun::CLauncherRun() { Program("..\\AutoRun\\Autorun.exe", "Autorun.exe"); }

CLauncherRun::~CLauncherRun()
{
    if (m_process.hProcess != nullptr) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 0xDEAD);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
    if (m_output != nullptr)
        CloseHandle(m_output);
}

CLauncherRun& CLauncherRun::File(const char* name, const std::string& bytes)
{
    const std::string path = m_folder.Path(name).ToUtf8();
    const std::size_t slash = path.rfind('\\');
    CreateDirectoryW(TObj::CUnicodeString(path.substr(0, slash).c_str()).W(), nullptr);
    m_folder.Write(name, bytes);
    return *this;
}

CLauncherRun& CLauncherRun::Program(const char* builtName, const char* discName)
{
    const std::string path = m_folder.Path(discName).ToUtf8();
    CreateDirectoryW(TObj::CUnicodeString(path.substr(0, path.rfind('\\')).c_str()).W(), nullptr);
    CopyFileW((TObj::GetProgramFolder() + TObj::CUnicodeString(builtName)).W(), m_folder.Path(discName).W(), FALSE);
    return *this;
}

bool CLauncherRun::Start(const char* arguments, const TObj::CUnicodeString& launcher)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    CreatePipe(&m_output, &writeEnd, &inherit, 0);
    SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    const TObj::CUnicodeString exe = launcher.IsEmpty() ? m_folder.Path("Autorun.exe") : launcher;
    std::wstring line = L"\"" + std::wstring(exe.W()) + L"\" " + std::wstring(TObj::CUnicodeString(arguments).W());
    const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, m_folder.Path().W(),
                                        &startup, &m_process);
    CloseHandle(writeEnd);
    return started != FALSE;
}

HWND CLauncherRun::WaitForWindow(const wchar_t* title)
{
    for (int i = 0; i < 200; ++i) {
        window = FindWindowW(nullptr, title);
        if (window != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == m_process.dwProcessId)
                return window;
        }
        if (WaitForSingleObject(m_process.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    return window = nullptr;
}

namespace {
struct CSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchText(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<CSearch*>(data);
    wchar_t caption[256] = {0};
    GetWindowTextW(child, caption, 256);
    if (std::wstring(caption) != search->text)
        return TRUE;
    search->found = child;
    return FALSE;
}
} // namespace

HWND CLauncherRun::Control(const wchar_t* text) const
{
    CSearch search{text, nullptr};
    EnumChildWindows(window, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CLauncherRun::Press(const wchar_t* text) const
{
    const HWND control = Control(text);
    SendMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
}

DWORD CLauncherRun::WaitForExit(DWORD milliseconds)
{
    if (WaitForSingleObject(m_process.hProcess, milliseconds) != WAIT_OBJECT_0)
        return 0xDEAD;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

std::string CLauncherRun::Output()
{
    DWORD available = 0;
    while (PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(m_output, buffer, sizeof buffer, &read, nullptr) || read == 0)
            break;
        m_text.append(buffer, read);
    }
    return m_text;
}
