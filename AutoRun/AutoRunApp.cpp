#include "AutoRunApp.h"

#include "AutoRunStrings.h"
#include "AutoRunWindow.h"
#include "Settings.h"
#include "WindowClass.h"
#include "errors.h"

#include <memory>

bool CAutoRunApp::InitInstance()
{
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    AutoRunStrings::commandControlClass = ZYR::RegisterWindowClass(CS_DBLCLKS, arrow, nullptr);
    AutoRunStrings::commentControlClass = ZYR::RegisterWindowClass(CS_DBLCLKS, arrow, nullptr);
    m_settings.Load();
    m_mainWindow.Create();
    if (TOBJ_ASSERT(m_mainWindow.Handle() != nullptr && IsWindow(m_mainWindow.Handle()), u"WindowZyr", 307))
        ShowWindow(m_mainWindow.Handle(), SW_SHOW);
    return true;
}

void CAutoRunApp::ExitInstance()
{
    if (m_mainWindow.Handle() != nullptr && IsWindow(m_mainWindow.Handle()))
        m_mainWindow.DestroyWindow();
}

int RunAutoRun()
{
    try {
        CSettings settings;
        CAutoRunWindow mainWindow;
        CAutoRunApp app(settings, mainWindow);
        return ZYR::RunApplication();
    } catch (TObj::CException* failure) {
        const std::unique_ptr<TObj::CException> owned(failure);
        TObj::ReportException(failure);
        return -1;
    }
}
