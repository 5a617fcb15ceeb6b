#include "CheckException.h"

namespace TObj {

CCheckException::CCheckException(const CMessage& message, const CUnicodeString& p0, const CUnicodeString& p1,
                                 const CUnicodeString& p2)
    : m_message(&message), m_params{p0, p1, p2}
{}

CUnicodeString CCheckException::GetMessageText() const
{
    CUnicodeString text;
    if (LookupMessageText(m_message->Name(), text))
        return FormatMessageText(*m_message, m_params, 3);
    // Undefined: the name and the parameters that were given.
    int count = 3;
    while (count > 0 && m_params[count - 1].IsEmpty())
        --count;
    return FormatMessageText(*m_message, m_params, count);
}

} // namespace TObj
