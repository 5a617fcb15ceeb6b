#include "COMException.h"

#include "Errors.h"

#include <windows.h>
#include <oleauto.h>

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_UNKNOWN_COM_ERROR);
}

CCOMException::~CCOMException()
{
    if (m_errorInfo != nullptr)
        m_errorInfo->Release();
}

CUnicodeString CCOMException::GetMessageText() const
{
    if (m_errorInfo != nullptr) {
        BSTR description = nullptr;
        if (SUCCEEDED(m_errorInfo->GetDescription(&description)) && description != nullptr) {
            const CUnicodeString text(description, static_cast<int>(SysStringLen(description)));
            SysFreeString(description);
            if (!text.IsEmpty())
                return text;
        }
    }
    DWORD code = static_cast<DWORD>(m_result);
    if (((code >> 16) & 0x1FFF) == FACILITY_WIN32)
        code &= 0xFFFF;
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                       nullptr, code, LANG_USER_DEFAULT, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    CUnicodeString text;
    if (length > 0 && buffer != nullptr)
        text = CUnicodeString(buffer, static_cast<int>(length));
    if (buffer != nullptr)
        LocalFree(buffer);
    if (text.EndsWith(CUnicodeString(u"\r\n")))
        text = text.Left(text.Length() - 2);
    if (text.IsEmpty())
        return FormatMessageText(ERR_UNKNOWN_COM_ERROR,
                                 CUnicodeString::FromUInt(static_cast<std::uint32_t>(m_result), 16));
    return text;
}

void ThrowComException(std::int32_t result)
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK)
        info = nullptr;
    RaiseOrShow(new CCOMException(result, info));
}

void ThrowComError(std::int32_t result) { throw new CCOMException(result, nullptr); }

} // namespace TObj
