// Message.h
// Holds the message interface of the foundation library:
//  - CMessage, the static reference that code declares for each message it uses, linked
//    into the process-wide list of used messages while static objects are constructed;
//  - the program's own message table (sorted names and string-table ids);
//  - look-up of a message's text and formatting with parameters.
#pragma once

#include "UnicodeString.h"

#include <cstdint>

namespace TObj {

class CMessage {
public:
    explicit CMessage(const WChar* name) noexcept;
    ~CMessage();
    CMessage(const CMessage&) = delete;
    CMessage& operator=(const CMessage&) = delete;

    const WChar* Name() const noexcept { return m_name; }
    static const CMessage* FirstUsed() noexcept;
    const CMessage* NextUsed() const noexcept { return m_next; }

private:
    const WChar* m_name;
    CMessage* m_previous = nullptr;
    CMessage* m_next = nullptr;
};

// Declares a file-local reference to the message of that name.
#define TOBJ_MESSAGE(name) static const ::TObj::CMessage name(u## #name)

struct CMessageTableEntry {
    std::uint32_t id;
    const WChar* name;
};

constexpr int kProgramMessageCount = 175;
constexpr int kMessageSystemVersion = 200;

// Entry `index` of the program's table, in name order; the index must be in range.
const CMessageTableEntry& ProgramMessage(int index) noexcept;
// Binary search of the program's table; 0 when the name is not there.
std::uint32_t FindProgramMessageId(const WChar* name) noexcept;

// Finds the text of a message by name in the modules of the interface language and in the
// registered modules. Provided by the resource base of the platform.
bool LookupMessageText(const WChar* name, CUnicodeString& text);

bool IsMessageDefined(const CMessage& message);
// The text, or the message name itself when no module defines it.
CUnicodeString LoadMessageText(const CMessage& message);
// The text while the library runs and the message is defined, else `defaultText`.
CUnicodeString GetMessageTextOrDefault(const CMessage& message, const WChar* defaultText);

// The text with its placeholders filled; an undefined message reads as its name followed
// by each parameter after one blank.
CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString* params, int count);
CUnicodeString FormatMessageText(const CMessage& message);
CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString& p0);
CUnicodeString FormatMessageText(const CMessage& message, const CUnicodeString& p0, const CUnicodeString& p1);

} // namespace TObj
