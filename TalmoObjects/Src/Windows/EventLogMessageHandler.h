// EventLogMessageHandler.h
// Holds CEventLogMessageHandler, which writes each message and each reported exception as
// a record of the Windows event log instead of showing it. Windows only.
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

private:
    void OpenSource();

    CUnicodeString m_sourceName;
    CEventSource m_source;
    bool m_opened = false;
    CLock m_lock;
};

} // namespace TObj
