// ChildProcess.h
// Holds CChildProcess, a program started by a test with its standard output and error in
// one pipe: its output so far, its exit code, and an end that never hangs a test.
#pragma once

#include <windows.h>

#include <string>

class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // `folder` is the working folder, or null for the test's own. Without `captureOutput`
    // the child has no standard output at all, as when started from the shell.
    bool Start(const std::wstring& commandLine, const wchar_t* folder = nullptr, bool captureOutput = true);
    // The exit code, or 0xDEAD when the process did not end in time (it is ended then).
    DWORD Wait(DWORD milliseconds);
    // True while the process runs after waiting up to `milliseconds`.
    bool IsRunning(DWORD milliseconds = 0) const;
    std::string Output();
    DWORD ProcessId() const noexcept { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process{};
    HANDLE m_output = nullptr; // owned read end of the pipe
    std::string m_text;
};
