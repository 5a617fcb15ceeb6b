#include "WinApp.h"

#include "CatchFailure.h"
#include "Errors.h"
#include "LibraryStartup.h"
#include "Lock.h"
#include "MessageBoxHandler.h"
#include "ReportPlaces.h"
#include "Window.h"
#include "WindowClass.h"
#include "ZyrMessageHandler.h"

#include <memory>
#include <mutex>

namespace ZYR {

namespace {
TObj::CLock g_appLock;
CWinApp* g_currentApp = nullptr;
} // namespace

CWinApp::CWinApp()
{
    std::lock_guard<TObj::CLock> guard(g_appLock);
    if (!TOBJ_ASSERT(g_currentApp == nullptr, Places::kSecondApplication))
        return;
    g_currentApp = this;
}

CWinApp::~CWinApp()
{
    std::lock_guard<TObj::CLock> guard(g_appLock);
    if (g_currentApp == this)
        g_currentApp = nullptr;
}

CWinApp* CWinApp::Current() noexcept
{
    std::lock_guard<TObj::CLock> guard(g_appLock);
    return g_currentApp;
}

bool CWinApp::PreTranslateMessage(MSG& message)
{
    if (message.hwnd == nullptr)
        return OnThreadMessage(message);
    return CMessageLoop::PreTranslateMessage(message);
}

void CWinApp::QuitLoop(int exitCode)
{
    m_exitCode = exitCode;
    CMessageLoop::QuitLoop(exitCode);
}

void CWinApp::OnWindowProcException(const TObj::CException* failure, HWND handle, UINT message)
{
    if (message == WM_PAINT)
        ValidateRect(handle, nullptr);
    if (m_reportsInProgress > 0 && (message == WM_ACTIVATE || message == WM_PAINT || message == WM_ERASEBKGND)) {
        OutputDebugStringW(failure->GetMessageText().W());
        return;
    }
    ++m_reportsInProgress;
    struct CLower {
        int& count;
        ~CLower() { --count; }
    } lower{m_reportsInProgress};
    TObj::ReportException(failure);
}

void CWinApp::HandleWindowProcException(CWinApp* app, const TObj::CException* failure, HWND handle, UINT message)
{
    if (app != nullptr) {
        app->OnWindowProcException(failure, handle, message);
        return;
    }
    if (message == WM_PAINT)
        ValidateRect(handle, nullptr);
    TObj::ReportException(failure);
}

int CWinApp::RunInstance()
{
    // While the application runs, the library's box shows what a plain message box would.
    std::unique_ptr<CZyrMessageHandler> zyrHandler;
    std::unique_ptr<TObj::CMessageHandlerHolder> holder;
    if (dynamic_cast<TObj::CMessageBoxHandler*>(TObj::CurrentMessageHandler()) != nullptr) {
        zyrHandler.reset(new CZyrMessageHandler);
        holder.reset(new TObj::CMessageHandlerHolder(*zyrHandler, false));
        holder->Install();
    }
    const auto instance = [this] {
        if (InitInstance())
            TObj::ReportFailure([this] { Run(); });
        if (m_exitInstancePending) {
            m_exitInstancePending = false;
            ExitInstance();
        }
    };
    TObj::CatchFailure(instance, [this](const TObj::CException& failure) {
        if (m_exitCode == 0)
            m_exitCode = -1;
        TObj::ReportException(&failure);
    });
    return m_exitCode;
}

void ZyrCleanUp()
{
    try {
        const auto cleanUp = [] {
            DeleteTemporaryWindows();
            UnregisterQueuedWindowClasses();
        };
        TObj::CatchFailure(cleanUp, [](const TObj::CException& failure) {
            OutputDebugStringW(L"ZYR Warning: unhandled TalmoObjects exception in ZyrCleanUp\n");
            failure.Report();
        });
    } catch (...) {
        OutputDebugStringW(L"ZYR Warning: unhandled non-TalmoObjects exception in ZyrCleanUp\n");
    }
}

int RunApplication()
{
    if (!TObj::InitializeTalmoObjects())
        return -1;
    CWinApp* app = CWinApp::Current();
    const int exitCode = app != nullptr ? app->RunInstance() : -1;
    ZyrCleanUp();
    TObj::DeinitializeTalmoObjects();
    return exitCode;
}

} // namespace ZYR
