// ChildProcess.h
// Holds CChildProcess, a program started by a test with its standard output and error in
// one pipe: its output so far, its exit code, and an end that never hangs a test.
#pragma once

#include "SystemHandles.h"

#include <windows.h>

#include <string>

class CChildProcess {
public:
    CChildProcess() = default;
    // Ends a child still running.
    ~CChildProcess();

    // `folder` is the working folder, or null for the test's own. Without `captureOutput`
    // the child has no standard output at all, as when started from the shell.
    bool Start(const std::wstring& commandLine, const wchar_t* folder = nullptr, bool captureOutput = true);
    // The exit code, or 0xDEAD when the process did not end in time (it is ended then).
    DWORD Wait(DWORD milliseconds);
    // True while the process runs after waiting up to `milliseconds`.
    bool IsRunning(DWORD milliseconds = 0) const;
    // True once the process waits for input with none queued, within `milliseconds`.
    bool IsIdle(DWORD milliseconds) const;
    std::string Output();
    DWORD ProcessId() const noexcept { return m_processId; }
    // The error of the last refused start, 0 when none was refused.
    DWORD StartError() const noexcept { return m_startError; }

private:
    TObj::CKernelHandle m_process;
    DWORD m_processId = 0;
    DWORD m_startError = 0;
    TObj::CKernelHandle m_output; // the read end of the pipe
    std::string m_text;
};
