// EventLogMessageHandler.h
// Holds CEventLogMessageHandler, which writes each message and each reported exception as
// a record of the Windows event log instead of showing it, and a stand-in for the write
// for tests. Windows only.
#pragma once

#include "Lock.h"
#include "MessageHandler.h"
#include "SystemHandles.h"

#include <mutex>

namespace TObj {

class CEventLogMessageHandler : public CMessageHandler {
public:
    // An empty source name means the application title.
    explicit CEventLogMessageHandler(const CUnicodeString& sourceName = {});
    int Show(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags) override;
    void HandleException(const CException& exception) override;

    // 1 error, 2 warning, 4 information, from the icon bits or else the message type.
    static int EventType(unsigned flags) noexcept;
    // Writes one record; false when the source could not be registered or the write failed.
    bool WriteRecord(int eventType, const CUnicodeString& caption, const CUnicodeString& text);

    // Stands in for ReportEventW, whose records Wine keeps nowhere a test could read them
    // back; null puts ReportEventW back.
    using FReportEvent = BOOL(WINAPI*)(HANDLE, WORD, WORD, DWORD, PSID, WORD, DWORD, LPCWSTR*, LPVOID);
    static void SetReportEventForTesting(FReportEvent report) noexcept;

private:
    void OpenSource();

    CUnicodeString m_sourceName;
    CEventSource m_source;
    bool m_opened = false;
    CLock m_lock;
};

} // namespace TObj
