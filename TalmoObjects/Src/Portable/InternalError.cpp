#include "InternalError.h"

#include "Errors.h"
#include "Message.h"
#include "MessageFormat.h"
#include "MessageHandler.h"

#include <atomic>
#include <cstdlib>

namespace TObj {

namespace {
TOBJ_MESSAGE(MSG_INTERNAL_ERROR);
TOBJ_MESSAGE(MSG_INTERNAL_ERROR_WITH_CODE);
std::atomic<int> g_reportedCount{0};
} // namespace

CUnicodeString FormatErrorCode(std::uint32_t code) { return u"0x" + CUnicodeString::FromUInt(code, 16); }

CUnicodeString CInternalError::GetMessageText() const
{
    const CUnicodeString file(m_file);
    const CUnicodeString line = CUnicodeString::FromInt(m_line);
    if (m_kind == kAssertionWithCode || m_kind == kPresumptionWithCode) {
        const CUnicodeString params[] = {file, line, FormatErrorCode(m_code)};
        return FillPlaceholders(
            GetMessageTextOrDefault(MSG_INTERNAL_ERROR_WITH_CODE, u"Internal program error:\n%0, %1.\nError code: %2"),
            params, 3);
    }
    const CUnicodeString params[] = {file, line};
    return FillPlaceholders(GetMessageTextOrDefault(MSG_INTERNAL_ERROR, u"Internal program error:\n%0, %1."), params,
                            2);
}

void CInternalError::Report() const
{
    const int count = ++g_reportedCount;
    if (count < 3) {
        ShowMessage(GetMessageText(), kStopIconSystemModal);
    } else if (ShowMessage(GetMessageText(), kStopIconSystemModal | kOkCancel) == kReplyCancel) {
        std::abort();
    }
}

int CInternalError::ReportedCountForTesting() noexcept { return g_reportedCount.load(); }

} // namespace TObj
