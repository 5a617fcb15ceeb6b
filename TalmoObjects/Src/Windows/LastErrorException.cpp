#include "LastErrorException.h"

#include "Errors.h"

#include <windows.h>

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_UNKNOWN_LAST_ERROR_TEXT);
}

CUnicodeString SystemErrorText(std::uint32_t code)
{
    if (code == 0)
        return FormatMessageText(ERR_UNKNOWN_LAST_ERROR_TEXT, CUnicodeString(u"0"));
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) {
        if (buffer != nullptr)
            LocalFree(buffer);
        return FormatMessageText(ERR_UNKNOWN_LAST_ERROR_TEXT, CUnicodeString::FromUInt(code, 16));
    }
    CUnicodeString text(buffer, static_cast<int>(length));
    LocalFree(buffer);
    return text;
}

CUnicodeString CLastErrorException::GetMessageText() const { return SystemErrorText(m_code); }

void ThrowLastErrorException(std::uint32_t code) { RaiseOrShow(new CLastErrorException(code)); }

} // namespace TObj
