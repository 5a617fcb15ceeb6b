#include "ChildProcess.h"

CChildProcess::~CChildProcess()
{
    if (m_process.IsEmpty())
        return;
    if (WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process.Get(), 0xDEAD);
    WaitForSingleObject(m_process.Get(), 5000);
}

bool CChildProcess::Start(const std::wstring& commandLine, const wchar_t* folder, bool captureOutput)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    m_output.Reset(readEnd);
    const TObj::CKernelHandle childEnd(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = captureOutput ? writeEnd : nullptr;
    startup.hStdError = captureOutput ? writeEnd : nullptr;
    std::wstring line = commandLine;
    PROCESS_INFORMATION process{};
    // Wine now and then refuses a start while a program just copied is still settling; a
    // refusal is tried again twice before the test hears of it, with its error code.
    for (int attempt = 0;
         !CreateProcessW(nullptr, &line[0], nullptr, nullptr, captureOutput, 0, nullptr, folder, &startup, &process);
         ++attempt) {
        m_startError = GetLastError();
        if (attempt == 2)
            return false;
        Sleep(200);
    }
    m_process.Reset(process.hProcess);
    CloseHandle(process.hThread);
    m_processId = process.dwProcessId;
    return true;
}

DWORD CChildProcess::Wait(DWORD milliseconds)
{
    if (m_process.IsEmpty())
        return 0xDEAD;
    // The pipe is drained meanwhile: a child with much to say would otherwise block on it.
    const DWORD start = GetTickCount();
    DWORD state = WAIT_TIMEOUT;
    while ((state = WaitForSingleObject(m_process.Get(), 20)) == WAIT_TIMEOUT && GetTickCount() - start < milliseconds)
        Output();
    if (state != WAIT_OBJECT_0)
        return 0xDEAD;
    DWORD code = 0;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

bool CChildProcess::IsRunning(DWORD milliseconds) const
{
    return !m_process.IsEmpty() && WaitForSingleObject(m_process.Get(), milliseconds) == WAIT_TIMEOUT;
}

bool CChildProcess::IsIdle(DWORD milliseconds) const
{
    return !m_process.IsEmpty() && WaitForInputIdle(m_process.Get(), milliseconds) == 0;
}

std::string CChildProcess::Output()
{
    DWORD available = 0;
    while (!m_output.IsEmpty() && PeekNamedPipe(m_output.Get(), nullptr, 0, nullptr, &available, nullptr) &&
           available > 0) {
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(m_output.Get(), buffer, sizeof buffer, &read, nullptr) || read == 0)
            break;
        m_text.append(buffer, read);
    }
    return m_text;
}
