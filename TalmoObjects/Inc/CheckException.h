// CheckException.h
// Holds CCheckException, a user-level failure described by a message of the table and up
// to three parameter texts (%0, %1, %2).
#pragma once

#include "Exception.h"
#include "Message.h"

namespace TObj {

class CCheckException : public CException {
public:
    CCheckException(const CMessage& message, const CUnicodeString& p0 = {}, const CUnicodeString& p1 = {},
                    const CUnicodeString& p2 = {});
    CUnicodeString GetMessageText() const override;
    const CMessage& Message() const noexcept { return *m_message; }
    const CUnicodeString& Parameter(int index) const noexcept { return m_params[index]; }

private:
    const CMessage* m_message; // a static message reference, never owned
    CUnicodeString m_params[3];
};

} // namespace TObj
