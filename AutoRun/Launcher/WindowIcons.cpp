#include "WindowIcons.h"

#include "CatchFailure.h"
#include "Errors.h"
#include "LauncherResources.h"

#include <windows.h>

#include <memory>

void CWindowIcons::Prepare(const TObj::CUnicodeString& path)
{
    m_iconPath = path;
    if (!m_iconPath.IsEmpty() && !ZYR::CIcon::HasIconSignature(m_iconPath))
        LoadIcons();
}

void CWindowIcons::LoadIcons()
{
    if (!m_iconPath.IsEmpty()) {
        m_smallIcon.LoadFromFile(m_iconPath, 16, 16);
        m_bigIcon.LoadFromFile(m_iconPath, 32, 32);
    } else {
        m_smallIcon.LoadSmallSize(MAKEINTRESOURCEW(IDI_LAUNCHER_ICON));
        m_bigIcon.LoadStandardSize(MAKEINTRESOURCEW(IDI_LAUNCHER_ICON));
    }
}

void CWindowIcons::Show(const ZYR::CWindow& window)
{
    if (m_smallIcon.IsEmpty()) {
        // Told as at start; the page, shown already, stays.
        if (!TObj::ReportFailure([this] { LoadIcons(); })) {
            m_smallIcon.Destroy();
            m_bigIcon.Destroy();
            m_iconPath = TObj::CUnicodeString();
            LoadIcons();
        }
    }
    window.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
    window.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
}
