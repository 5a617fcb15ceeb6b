// LanguageRendersApp.h
// Holds CLanguageRendersApp, the application object of "--render" with "-l:all": it starts
// the launcher once for each language column of the disc, as a render of that language
// into its sub-folder, waits for each within a deadline, and writes "index.html" beside
// them. It ends with 0, or with 1 and what failed, without a window of its own.
#pragma once

#include "LauncherOptions.h"
#include "WinApp.h"

class CLanguageRendersApp : public ZYR::CWinApp {
public:
    explicit CLanguageRendersApp(const CLauncherOptions& options) : m_options(options) {}
    bool InitInstance() override;

private:
    CLauncherOptions m_options;
};
