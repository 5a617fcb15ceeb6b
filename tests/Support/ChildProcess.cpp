#include "ChildProcess.h"

CChildProcess::~CChildProcess()
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

bool CChildProcess::Start(const std::wstring& commandLine, const wchar_t* folder, bool captureOutput)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&m_output, &writeEnd, &inherit, 0))
        return false;
    SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = captureOutput ? writeEnd : nullptr;
    startup.hStdError = captureOutput ? writeEnd : nullptr;
    std::wstring line = commandLine;
    const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, captureOutput, 0, nullptr, folder, &startup,
                                        &m_process);
    CloseHandle(writeEnd);
    return started != FALSE;
}

DWORD CChildProcess::Wait(DWORD milliseconds)
{
    if (m_process.hProcess == nullptr)
        return 0xDEAD;
    // The pipe is drained meanwhile: a child with much to say would otherwise block on it.
    const DWORD start = GetTickCount();
    DWORD state = WAIT_TIMEOUT;
    while ((state = WaitForSingleObject(m_process.hProcess, 20)) == WAIT_TIMEOUT && GetTickCount() - start < milliseconds)
        Output();
    if (state != WAIT_OBJECT_0)
        return 0xDEAD;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

bool CChildProcess::IsRunning(DWORD milliseconds) const
{
    return m_process.hProcess != nullptr && WaitForSingleObject(m_process.hProcess, milliseconds) == WAIT_TIMEOUT;
}

std::string CChildProcess::Output()
{
    DWORD available = 0;
    while (m_output != nullptr && PeekNamedPipe(m_output, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(m_output, buffer, sizeof buffer, &read, nullptr) || read == 0)
            break;
        m_text.append(buffer, read);
    }
    return m_text;
}
