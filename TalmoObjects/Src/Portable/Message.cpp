#include "Message.h"

#include "LibraryState.h"
#include "Lock.h"
#include "MessageFormat.h"

#include <mutex>

namespace TObj {

namespace {

const CMessageTableEntry kProgramTable[] = {
#define MESSAGE(name, id, text) {id, u## #name},
#include "messages.def"
#undef MESSAGE
};
static_assert(sizeof kProgramTable / sizeof kProgramTable[0] == kProgramMessageCount, "175 messages");

CLock& UsedListLock()
{
    static CLock lock;
    return lock;
}

CMessage* g_firstUsed = nullptr;

int CompareUnits(const WChar* a, const WChar* b) noexcept
{
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (*a == 0)
            return 0;
    }
}

} // namespace

CMessage::CMessage(const WChar* name) noexcept : m_name(name)
{
    std::lock_guard<CLock> guard(UsedListLock());
    m_next = g_firstUsed;
    if (m_next != nullptr)
        m_next->m_previous = this;
    g_firstUsed = this;
}

CMessage::~CMessage()
{
    std::lock_guard<CLock> guard(UsedListLock());
    if (m_previous != nullptr)
        m_previous->m_next = m_next;
    else
        g_firstUsed = m_next;
    if (m_next != nullptr)
        m_next->m_previous = m_previous;
}

const CMessage* CMessage::FirstUsed() noexcept { return g_firstUsed; }

const CMessageTableEntry& ProgramMessage(int index) noexcept { return kProgramTable[index]; }

std::uint32_t FindProgramMessageId(const WChar* name) noexcept
{
    if (name == nullptr)
        return 0;
    int low = 0;
    int high = kProgramMessageCount - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareUnits(name, kProgramTable[middle].name);
        if (order == 0)
            return kProgramTable[middle].id;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return 0;
}

bool IsMessageDefined(const CMessage& message)
{
    CUnicodeString text;
    return LookupMessageText(message.Name(), text);
}

CUnicodeString LoadMessageText(const CMessage& message)
{
    CUnicodeString text;
    return LookupMessageText(message.Name(), text) ? text : CUnicodeString(message.Name());
}

CUnicodeString GetMessageTextOrDefault(const CMessage& message, const WChar* defaultText)
{
    CUnicodeString text;
    if (GetLibraryState() == ELibraryState::Running && LookupMessageText(message.Name(), text))
        return text;
    return CUnicodeString(defaultText);
}

CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString* params, int count)
{
    CUnicodeString text;
    if (LookupMessageText(message.Name(), text))
        return FillPlaceholders(text, params, count);
    text = CUnicodeString(message.Name());
    for (int i = 0; i < count; ++i) {
        text += u' ';
        text += params[i];
    }
    return text;
}

CUnicodeString FormatMessageText(const CMessage& message) { return FormatMessageText(message, nullptr, 0); }

CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString& p0)
{
    return FormatMessageText(message, &p0, 1);
}

CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString& p0, const CUnicodeString& p1)
{
    const CUnicodeString params[] = {p0, p1};
    return FormatMessageText(message, params, 2);
}

} // namespace TObj
