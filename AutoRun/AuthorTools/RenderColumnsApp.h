// RenderColumnsApp.h
// Holds CRenderColumnsApp, the application object of "--render" with "-l:all" or
// "--dpi=all": it starts the launcher once for each column (a language, or a scale) as a
// render into its sub-folder, waits for each within a deadline, and writes "index.html"
// beside them. It ends with 0, or with 1 and what failed, without a window of its own.
#pragma once

#include "LauncherOptions.h"
#include "WinApp.h"

class CRenderColumnsApp : public ZYR::CWinApp {
public:
    explicit CRenderColumnsApp(const CLauncherOptions& options) : m_options(options) {}
    bool InitInstance() override;

private:
    CLauncherOptions m_options;
};
