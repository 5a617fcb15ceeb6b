// WinApp.h
// Holds ZYR::CWinApp, the application object: the one current application of the process,
// its initialisation and clean-up hooks around the message loop, the exit code, and the
// report of a failure inside a window procedure; and RunApplication, which brackets the
// program's life with the foundation library's start-up and shutdown.
#pragma once

#include "CmdTarget.h"
#include "Exception.h"
#include "MessageLoop.h"

namespace ZYR {

class CWinApp : public CCmdTarget, public CMessageLoop {
public:
    CWinApp();
    ~CWinApp() override;

    static CWinApp* Current() noexcept;

    virtual bool VetoQuit() { return false; }
    virtual bool PreDispatch(HWND, UINT, WPARAM, LPARAM, LRESULT*) { return false; }
    virtual void PostDispatch(HWND, UINT, WPARAM, LPARAM, LRESULT*) {}
    virtual bool InitInstance() { return true; }
    void Run() override { CMessageLoop::Run(); }
    virtual void ExitInstance() {}
    // Reports a failure of a window procedure; a paint is validated so it is not repeated.
    virtual void OnWindowProcException(const TObj::CException* failure, HWND handle, UINT message);

    bool PreTranslateMessage(MSG& message) override;
    void QuitLoop(int exitCode) override;

    int ExitCode() const noexcept { return m_exitCode; }
    void SetExitCode(int exitCode) noexcept { m_exitCode = exitCode; }

    // InitInstance, Run and ExitInstance with the exception rules; returns the exit code.
    int RunInstance();

    // The report of a window procedure's failure, with or without an application.
    static void HandleWindowProcException(CWinApp* app, const TObj::CException* failure, HWND handle, UINT message);

private:
    bool m_exitInstancePending = true;
    int m_exitCode = 0;
    int m_reportsInProgress = 0;
};

// Starts the foundation library, runs the current application and shuts down; -1 when the
// library cannot start or initialisation fails.
int RunApplication();
// Deletes temporary wrappers and queued classes; never throws.
void ZyrCleanUp();

} // namespace ZYR
