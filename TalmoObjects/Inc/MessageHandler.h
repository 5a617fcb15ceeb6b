// MessageHandler.h
// Holds the showing side of the foundation library:
//  - CMessageHandler, the abstract receiver of every shown message and reported exception;
//  - CMessageHandlerHolder, which installs a handler in the process-wide or the per-thread
//    slot and puts the previous one back;
//  - ShowMessage, the single entry for showing anything, and the application title;
//  - the default replies and event types of handlers that cannot ask the user.
#pragma once

#include "Exception.h"
#include "UnicodeString.h"

namespace TObj {

// Win32 message-box bits used by the library itself.
constexpr unsigned kOkCancel = 0x1;
constexpr unsigned kIconStop = 0x10;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kStopIconSystemModal = 0x1010;
constexpr int kReplyOk = 1;
constexpr int kReplyCancel = 2;

class CMessageHandler {
public:
    virtual ~CMessageHandler();
    // `owner` is a window handle or null; `flags` are message-box bits; returns the reply.
    virtual int Show(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags) = 0;
    virtual int ShowWithIcon(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags,
                             const WChar* iconName);
    // Reports a caught exception. A failure while reporting is reported in turn; only a
    // report that keeps failing ends the process.
    virtual void HandleException(const CException& exception);

protected:
    CMessageHandler() = default;
    // The library's own instances: destroying one before a default was chosen retires the default.
    void MarkAsStaticInstance() noexcept { m_staticInstance = true; }

private:
    bool m_staticInstance = false;
};

class CMessageHandlerHolder {
public:
    CMessageHandlerHolder(CMessageHandler& handler, bool perThread) noexcept
        : m_handler(&handler), m_perThread(perThread)
    {}
    ~CMessageHandlerHolder();
    CMessageHandlerHolder(const CMessageHandlerHolder&) = delete;
    CMessageHandlerHolder& operator=(const CMessageHandlerHolder&) = delete;

    void Install();
    void Uninstall();
    bool IsInstalled() const noexcept { return m_installed; }

private:
    CMessageHandler* m_handler;            // not owned
    CMessageHandler* m_previous = nullptr; // not owned
    bool m_perThread;
    bool m_installed = false;
};

int ShowMessage(const CUnicodeString& text, unsigned flags);
// Used by ReportException: logs the text and hands the exception to the current handler.
void ReportThroughHandler(const CException& exception);
// The handler ShowMessage would use now, or null once the default handler is gone.
CMessageHandler* CurrentMessageHandler();

CUnicodeString GetApplicationTitle();
void SetApplicationTitle(const CUnicodeString& title);

// The reply of a handler that cannot ask, by type (flags & 0xF) and default button.
int DefaultReply(unsigned flags) noexcept;
// The event-log type for flags without icon bits: 1 error, 2 warning, 4 information.
int DefaultEventType(unsigned flags) noexcept;

} // namespace TObj
