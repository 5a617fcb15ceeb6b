// AutoRunApp.h
// Holds CAutoRunApp, the launcher's application object: it registers the two control
// classes, loads the page settings and shows the main window, and for the author's
// options renders the pages or puts the dry run's shell in place; and RunAutoRun, the run function
// that owns the application, the settings and the main window for the whole run.
#pragma once

#include "DryRunShell.h"
#include "LauncherOptions.h"
#include "WinApp.h"

#include <memory>

class CAutoRunWindow;
class CSettings;

class CAutoRunApp : public ZYR::CWinApp {
public:
    // Both are owned by the run function; the main window is destroyed before the settings.
    CAutoRunApp(CSettings& settings, CAutoRunWindow& mainWindow, const CLauncherOptions& options)
        : m_settings(settings), m_mainWindow(mainWindow), m_options(options)
    {}
    ~CAutoRunApp() override;
    bool InitInstance() override;
    void ExitInstance() override;

private:
    void RenderPages(const TObj::CUnicodeString& folder);

    CSettings& m_settings;
    CAutoRunWindow& m_mainWindow;
    CLauncherOptions m_options;
    std::unique_ptr<CDryRunShell> m_dryRun; // in place of the shell while it exists
};

// Builds the three objects, runs the application and returns the exit code: 0 normally,
// -1 when start-up fails.
int RunAutoRun();
