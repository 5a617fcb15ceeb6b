#include "MessageHandler.h"

#include "CatchFailure.h"
#include "Errors.h"
#include "Lock.h"
#include "Platform.h"
#include "RecursiveLock.h"
#include "ReportPlaces.h"
#include "ScopeExit.h"

#include <cstdlib>
#include <memory>
#include <mutex>

namespace TObj {

namespace {

// Reports nested deeper than this mean reporting itself keeps failing.
constexpr int kMaxReportDepth = 4;

CMessageHandler* const kRetiredHandler = reinterpret_cast<CMessageHandler*>(static_cast<std::intptr_t>(-1));

CRecursiveLock& MessageLock()
{
    static CRecursiveLock lock;
    return lock;
}

CLock& TitleLock()
{
    static CLock lock;
    return lock;
}

CMessageHandler* g_processHandler = nullptr;
CMessageHandler* g_defaultHandler = nullptr; // null: not chosen yet; kRetiredHandler: destroyed
thread_local CMessageHandler* t_threadHandler = nullptr;
CUnicodeString* g_title = nullptr;

CMessageHandler*& Slot(bool perThread) { return perThread ? t_threadHandler : g_processHandler; }

struct CReplyRow {
    unsigned type;
    int replies[3];
    int eventType;
};

const CReplyRow kReplies[] = {
    {0, {1, 1, 1}, 4}, {1, {1, 2, 1}, 2}, {4, {6, 7, 6}, 4}, {3, {6, 7, 2}, 4}, {5, {4, 2, 4}, 1}, {2, {3, 4, 5}, 1},
};

} // namespace

CMessageHandler::~CMessageHandler()
{
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    if (g_processHandler == this)
        g_processHandler = nullptr;
    if (t_threadHandler == this)
        t_threadHandler = nullptr;
    if (g_defaultHandler == this || (g_defaultHandler == nullptr && m_staticInstance))
        g_defaultHandler = kRetiredHandler;
}

int CMessageHandler::ShowWithIcon(void* owner, const CUnicodeString& text, const CUnicodeString& caption,
                                  unsigned flags, const WChar*)
{
    return Show(owner, text, caption, flags);
}

void CMessageHandler::HandleException(const CException& exception)
{
    CThreadErrorState& state = ThreadErrorState();
    if (state.reportDepth >= kMaxReportDepth) {
        ShowMessage(CUnicodeString(u"Double internal error!\nApplication terminated."), kStopIconSystemModal);
        std::abort();
    }
    ++state.reportDepth;
    const auto restore = OnScopeExit([&state] { --state.reportDepth; });
    ReportFailure([&exception] { exception.Report(); });
}

CMessageHandlerHolder::~CMessageHandlerHolder()
{
    if (!m_installed)
        return;
    // A destructor cannot throw: a broken installation order is reported instead.
    ReportFailure([this] { Uninstall(); });
}

void CMessageHandlerHolder::Install()
{
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    TOBJ_ASSERT(!m_installed, Places::kHandlerInstalledTwice);
    m_previous = Slot(m_perThread);
    Slot(m_perThread) = m_handler;
    m_installed = true;
}

void CMessageHandlerHolder::Uninstall()
{
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    m_installed = false;
    const bool wasOurs = Slot(m_perThread) == m_handler;
    Slot(m_perThread) = m_previous;
    TOBJ_ASSERT(wasOurs, Places::kHandlerUninstalledOutOfOrder);
}

CMessageHandler* CurrentMessageHandler()
{
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    if (t_threadHandler != nullptr)
        return t_threadHandler;
    if (g_processHandler != nullptr)
        return g_processHandler;
    if (g_defaultHandler == nullptr)
        g_defaultHandler = Platform::ChooseDefaultHandler();
    return g_defaultHandler == kRetiredHandler ? nullptr : g_defaultHandler;
}

int ShowMessage(const CUnicodeString& text, unsigned flags)
{
    const CUnicodeString caption = GetApplicationTitle();
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    Platform::WriteMessageLog(text);
    CMessageHandler* handler = CurrentMessageHandler();
    if (handler == nullptr)
        return Platform::ShowWithoutHandler(text, CUnicodeString(u"Talmo Objects"), flags);
    return handler->Show(nullptr, text, caption, flags);
}

void ReportThroughHandler(const CException& exception)
{
    std::lock_guard<CRecursiveLock> guard(MessageLock());
    if (dynamic_cast<const CUserException*>(&exception) == nullptr)
        Platform::WriteMessageLog(exception.GetMessageText());
    if (CMessageHandler* handler = CurrentMessageHandler())
        handler->HandleException(exception);
}

CUnicodeString GetApplicationTitle()
{
    std::lock_guard<CLock> guard(TitleLock());
    if (g_title == nullptr || g_title->IsEmpty())
        return CUnicodeString(u"Talmo Objects");
    return *g_title;
}

void SetApplicationTitle(const CUnicodeString& title)
{
    std::lock_guard<CLock> guard(TitleLock());
    if (g_title == nullptr)
        g_title = new CUnicodeString; // lives to the end of the process, past static destruction
    *g_title = title;
}

int DefaultReply(unsigned flags) noexcept
{
    const unsigned button = (flags >> 8) & 0xF;
    for (const CReplyRow& row : kReplies)
        if (row.type == (flags & 0xF))
            return row.replies[button <= 2 ? button : 0];
    return 3;
}

int DefaultEventType(unsigned flags) noexcept
{
    for (const CReplyRow& row : kReplies)
        if (row.type == (flags & 0xF))
            return row.eventType;
    return 4;
}

} // namespace TObj
