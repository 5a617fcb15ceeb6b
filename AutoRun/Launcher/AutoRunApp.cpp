#include "AutoRunApp.h"

#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "CatchFailure.h"
#include "ControlClasses.h"
#include "DiscCheckApp.h"
#include "DryRunShell.h"
#include "Errors.h"
#include "FileSystem.h"
#include "HighContrast.h"
#include "LauncherCommandLine.h"
#include "LauncherOptions.h"
#include "MonitorDpi.h"
#include "PageRenderer.h"
#include "PageWatch.h"
#include "RenderColumnsApp.h"
#include "Settings.h"
#include "StarterDiscApp.h"

#include <windows.h>

#include <memory>

using TObj::CUnicodeString;

namespace {

// The launcher takes no text: keys move the focus and run commands. Without input methods
// no thread of it gets an input method window and context, which under Wine cost more at
// start (activating the first window) than all the launcher's own drawing. It must come
// before the first window. The system loads imm32 into every process with a window where
// input methods exist; where it has not, there is nothing to turn off.
void TurnOffInputMethods()
{
    const HMODULE imm = GetModuleHandleW(L"imm32.dll");
    using FDisableIme = BOOL(WINAPI*)(DWORD);
    const auto disable =
        imm != nullptr ? reinterpret_cast<FDisableIme>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmDisableIME")))
                       : nullptr;
    if (disable != nullptr)
        disable(static_cast<DWORD>(-1)); // every thread of the process
}

} // namespace

bool CAutoRunApp::InitInstance()
{
    if (m_options.ReportProblem()) {
        SetExitCode(1);
        return false;
    }
    TurnOffInputMethods();
    if (m_options.highContrast)
        HighContrast::Force();
    if (m_options.dpi != 0)
        ZYR::CMonitorDpi::Assume(m_options.dpi);
    if (m_options.dryRun) {
        m_dryRun.reset(new CDryRunShell);
        CShellRequests::SetCurrent(m_dryRun.get());
    }
    ControlClasses::Register();
    m_settings.Load();
    if (m_dryRun)
        m_dryRun->ShowDecisions(m_settings);
    m_mainWindow.Create();
    if (m_options.outlines)
        m_mainWindow.ShowOutlines();
    m_mainWindow.ShowWindow(SW_SHOW);
    if (m_options.watch && !m_options.render)
        m_mainWindow.Watch(std::make_unique<CPageWatch>(m_mainWindow));
    if (m_options.render)
        RenderPages(m_options.renderFolder);
    return true;
}

CAutoRunApp::~CAutoRunApp()
{
    if (m_dryRun)
        CShellRequests::SetCurrent(nullptr);
}

void CAutoRunApp::ExitInstance() { ZYR::DestroyWindowIfAlive(m_mainWindow); }

void CAutoRunApp::RenderPages(const CUnicodeString& folder)
{
    const CUnicodeString target = TObj::CombineAndNormalize(TObj::GetCurrentFolder(), folder);
    // The renders draw the controls' windows, which the first frame has not made yet.
    m_mainWindow.MakeWaitingControls();
    CPageRenderer(m_mainWindow, target, m_options.renderFormat).RenderAll(m_settings);
    // Closed from the message loop, the last frame going ends the run with exit code 0.
    ::PostMessageW(m_mainWindow.Handle(), WM_CLOSE, 0, 0);
}

namespace {

// Read once before the run, so that the check never builds the launcher's own objects. A
// command line that cannot be read gives no author's options; the settings read it again
// and report why.
CLauncherOptions AuthorOptions()
{
    CLauncherOptions options;
    TObj::IgnoreFailure(
        [&] { options = CLauncherOptions::From(ReadLauncherCommandLine(CUnicodeString(GetCommandLineW()))); });
    return options;
}

} // namespace

int RunAutoRun()
{
    int exitCode = -1;
    TObj::ReportFailure([&] {
        const CLauncherOptions options = AuthorOptions();
        if (options.makeNew) {
            CStarterDiscApp app(options.newFolder);
            exitCode = ZYR::RunApplication();
            return;
        }
        if (options.render && (options.renderAllLanguages || options.renderAllDpis)) {
            CRenderColumnsApp app(options);
            exitCode = ZYR::RunApplication();
            return;
        }
        if (options.check) {
            CDiscCheckApp app;
            exitCode = ZYR::RunApplication();
            return;
        }
        CSettings settings;
        CAutoRunWindow mainWindow;
        CAutoRunApp app(settings, mainWindow, options);
        exitCode = ZYR::RunApplication();
    });
    return exitCode;
}
