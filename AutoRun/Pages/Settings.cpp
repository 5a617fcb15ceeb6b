#include "Settings.h"

#include "AutoRunStrings.h"
#include "CatchFailure.h"
#include "CommandLine.h"
#include "Errors.h"
#include "FileSystem.h"
#include "Languages.h"
#include "LauncherCommandLine.h"
#include "LauncherReportPlaces.h"
#include "LibraryStartup.h"
#include "MonitorDpi.h"
#include "ProgramPaths.h"
#include "RaisingSink.h"
#include "SettingsReader.h"
#include "WindowsMachineFacts.h"

#include <windows.h>

#include <utility>

using TObj::CUnicodeString;

namespace {

TOBJ_MESSAGE(ERR_AR_INVALID_LANG_CODE);
TOBJ_MESSAGE(ERR_BAD_ARCHIVE);
TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);

CSettings* g_current = nullptr;

} // namespace

CLoadEnvironment CLoadEnvironment::OfThisProcess()
{
    CLoadEnvironment environment;
    environment.commandLine = CUnicodeString(GetCommandLineW());
    environment.launcherFolder = TObj::GetProgramFolder();
    environment.launcherFileName = TObj::FileNameOf(TObj::GetProgramPath());
    environment.dpiY = ZYR::CMonitorDpi::OfPrimary();
    environment.is64BitWindows = TObj::IsWow64();
    environment.windowsVersion = CWindowsMachineFacts::RunningVersion();
    environment.userLanguageId = GetUserDefaultLangID();
    environment.isLanguageInstalled = [](int code) { return TObj::IsLanguageSupported(code); };
    return environment;
}

const CUnicodeString CSettings::kDefaultStartPage(u"Main");

bool CSettings::DecisionsChanged(const CWindowSettings& page) const
{
    CWindowsMachineFacts machine(m_environment, PageFilePath());
    for (const CWindowSettings::CDecision& decision : page.decisions)
        if (decision.condition.Evaluate(machine) != decision.held)
            return true;
    return false;
}

CSettings::CSettings() : m_startWindowName(kDefaultStartPage)
{
    TOBJ_ASSERT(g_current == nullptr, Places::kSettingsRegisteredTwice);
    if (g_current == nullptr)
        g_current = this;
}

CSettings::CSettings(CDetached) : m_startWindowName(kDefaultStartPage), m_detached(true) {}

CSettings::~CSettings()
{
    if (m_detached)
        return;
    if (g_current == this) {
        g_current = nullptr;
        return;
    }
    // A destructor cannot throw: the broken registration is reported instead.
    const TObj::CInternalError error(Places::kSettingsNotRegistered.file, Places::kSettingsNotRegistered.line,
                                     TObj::kAssertion, 0);
    TObj::ReportException(&error);
}

CSettings* CSettings::Current() noexcept { return g_current; }

void CSettings::Load() { Load(CLoadEnvironment::OfThisProcess()); }

void CSettings::Load(const CLoadEnvironment& environment) { Load(environment, CRaisingSink::Instance()); }

void CSettings::Load(const CLoadEnvironment& environment, CPageFindingSink& sink)
{
    ReadOptions(environment);
    m_environment = environment;
    CReader reader(m_language, *this, environment, sink);
    reader.read();
}

void CSettings::ReadOptions(const CLoadEnvironment& environment)
{
    const TObj::CCommandLine line = ReadLauncherCommandLine(environment.commandLine);
    if (const CUnicodeString* language = line.Option(AutoRunStrings::kLanguageOption)) {
        std::int32_t code = -1;
        if (!language->ToInt(code) || code < 0 || code >= TObj::kLanguageCount)
            TObj::ThrowCheckError(ERR_AR_INVALID_LANG_CODE, *language);
        m_language = code;
    }
    if (const CUnicodeString* startPage = line.Option(AutoRunStrings::kStartPageOption))
        m_startWindowName = *startPage;
    if (m_language == -1)
        m_language = TObj::GetLanguageByLangId(environment.userLanguageId);
    if (m_language == -1 || !environment.isLanguageInstalled || !environment.isLanguageInstalled(m_language))
        m_language = 0;
    m_chosenLanguage = m_language;
}

CSettings::CPages CSettings::Reload(int dpiY)
{
    CLoadEnvironment environment = m_environment;
    environment.dpiY = dpiY;
    CPages previous = std::move(m_pages);
    m_pages = CPages();
    const int previousLanguage = std::exchange(m_language, m_chosenLanguage);
    try {
        CReader reader(m_language, *this, environment, CRaisingSink::Instance());
        reader.read();
    } catch (TObj::CException*) {
        m_language = previousLanguage;
        PutBack(std::move(previous));
        throw;
    }
    m_environment = environment;
    return previous;
}

void CSettings::PutBack(CPages previous) { m_pages = std::move(previous); }

CWindowSettings* CSettings::WindowNamed(const CUnicodeString& name) const noexcept
{
    for (CWindowSettings* window : m_pages.windows)
        if (window->name == name)
            return window;
    return nullptr;
}

void CSettings::LoadPageFile(const CLoadEnvironment& environment, const CUnicodeString& pageFile,
                             CPageFindingSink& sink)
{
    // The start page as the options name it; a bad language option is the launcher's to report.
    TObj::IgnoreFailure([&] { ReadOptions(environment); });
    m_language = 0;
    m_environment = environment;
    CReader reader(*this, environment, pageFile, sink);
    reader.read();
}

CWindowSettings* CSettings::GetWindow(const CUnicodeString& name) const
{
    CWindowSettings* const window = WindowNamed(name);
    if (window == nullptr)
        TObj::ThrowCheckError(ERR_BAD_ARCHIVE, m_pages.pageFilePath);
    return window;
}

CUnicodeString CSettings::GetIcon() const
{
    if (IsMissingIcon(m_pages.iconPath))
        TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, m_pages.iconPath);
    return m_pages.iconPath;
}

bool CSettings::IsMissingIcon(const CUnicodeString& path) { return !path.IsEmpty() && !TObj::FileExists(path); }
