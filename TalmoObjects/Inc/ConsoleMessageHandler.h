// ConsoleMessageHandler.h
// Holds CConsoleMessageHandler, which writes each message to an output handle: a console
// as UTF-16, a disk file in the encoding the file already has, a pipe in the ANSI code page,
// or the debugger when there is no usable handle. Windows only.
#pragma once

#include "Lock.h"
#include "MessageHandler.h"

#include <mutex>

namespace TObj {

class CConsoleMessageHandler : public CMessageHandler {
public:
    enum EOutputKind { kNone = 0, kDiskFile = 1, kCharacterDevice = 2, kPipe = 3 };

    // `output` is not owned; null or invalid handles write to the debugger.
    explicit CConsoleMessageHandler(void* output);
    int Show(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags) override;

    EOutputKind Kind() const noexcept { return m_kind; }
    static EOutputKind KindOf(void* output);
    // CR before every LF that lacks one, and a closing CR LF.
    static CUnicodeString ToLines(const CUnicodeString& text);

private:
    void DecideEncoding();
    bool WriteUtf8(const CUnicodeString& text);
    bool WriteWide(const CUnicodeString& text);

    void* m_output; // not owned
    EOutputKind m_kind;
    bool m_writeUtf8 = true; // else UTF-16, into a file that starts with its mark
    bool m_encodingDecided = false;
    CLock m_lock;
};

} // namespace TObj
