#include "EventLogMessageHandler.h"

#include "Errors.h"
#include "ProgramPaths.h"
#include "RegistryKey.h"

#include <windows.h>

#include <atomic>

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_CANT_WRITE_TO_REGISTRY);
std::atomic<CEventLogMessageHandler::FReportEvent> g_reportEvent{nullptr}; // a test's stand-in
} // namespace

CEventLogMessageHandler::CEventLogMessageHandler(const CUnicodeString& sourceName) : m_sourceName(sourceName) {}

int CEventLogMessageHandler::EventType(unsigned flags) noexcept
{
    switch (flags & 0xF0) {
    case 0x10: return EVENTLOG_ERROR_TYPE;
    case 0x20:
    case 0x40: return EVENTLOG_INFORMATION_TYPE;
    case 0x30: return EVENTLOG_WARNING_TYPE;
    default: return DefaultEventType(flags);
    }
}

void CEventLogMessageHandler::OpenSource()
{
    m_opened = true;
    const CUnicodeString source = m_sourceName.IsEmpty() ? GetApplicationTitle() : m_sourceName;
    const CUnicodeString keyPath = u"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + source;
    CRegistryKey key;
    if (key.Create(HKEY_LOCAL_MACHINE, keyPath.W(), KEY_WRITE) &&
        !key.WriteString(L"EventMessageFile", GetProgramFolder() + u"TObjEventSrc.dll"))
        ThrowCheckError(ERR_CANT_WRITE_TO_REGISTRY, keyPath, CUnicodeString(u"EventMessageFile"));
    m_source.Reset(RegisterEventSourceW(nullptr, source.W()));
}

bool CEventLogMessageHandler::WriteRecord(int eventType, const CUnicodeString& caption, const CUnicodeString& text)
{
    std::lock_guard<TObj::CLock> guard(m_lock);
    if (!m_opened)
        OpenSource();
    if (m_source.IsEmpty())
        return false;
    const wchar_t* strings[] = {caption.W(), text.W()};
    const FReportEvent standIn = g_reportEvent.load();
    const FReportEvent report = standIn != nullptr ? standIn : &ReportEventW;
    return report(m_source.Get(), static_cast<WORD>(eventType), 0, 1, nullptr, 2, 0, strings, nullptr) != FALSE;
}

void CEventLogMessageHandler::SetReportEventForTesting(FReportEvent report) noexcept { g_reportEvent = report; }

int CEventLogMessageHandler::Show(void*, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags)
{
    WriteRecord(EventType(flags), caption, text);
    return DefaultReply(flags);
}

void CEventLogMessageHandler::HandleException(const CException& exception)
{
    if (dynamic_cast<const CUserException*>(&exception) == nullptr)
        WriteRecord(EVENTLOG_ERROR_TYPE, GetApplicationTitle(), exception.GetMessageText());
}

} // namespace TObj
