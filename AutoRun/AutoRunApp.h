// AutoRunApp.h
// Holds CAutoRunApp, the launcher's application object: it registers the two control
// classes, loads the page settings and shows the main window; and RunAutoRun, the run
// function that owns the application, the settings and the main window for the whole run.
#pragma once

#include "WinApp.h"

class CAutoRunWindow;
class CSettings;

class CAutoRunApp : public ZYR::CWinApp {
public:
    // Both are owned by the run function; the main window is destroyed before the settings.
    CAutoRunApp(CSettings& settings, CAutoRunWindow& mainWindow) : m_settings(settings), m_mainWindow(mainWindow) {}
    bool InitInstance() override;
    void ExitInstance() override;

private:
    CSettings& m_settings;
    CAutoRunWindow& m_mainWindow;
};

// Builds the three objects, runs the application and returns the exit code: 0 normally,
// -1 when start-up fails.
int RunAutoRun();
