#include "ConsoleMessageHandler.h"

#include "TextEncoding.h"

#include <windows.h>

#include <vector>

namespace TObj {

CConsoleMessageHandler::CConsoleMessageHandler(void* output) : m_output(output), m_kind(KindOf(output)) {}

CConsoleMessageHandler::EOutputKind CConsoleMessageHandler::KindOf(void* output)
{
    if (output == nullptr || output == INVALID_HANDLE_VALUE)
        return kNone;
    switch (GetFileType(output) & ~FILE_TYPE_REMOTE) {
    case FILE_TYPE_DISK: return kDiskFile;
    case FILE_TYPE_CHAR: return kCharacterDevice;
    case FILE_TYPE_PIPE: return kPipe;
    default: return kNone;
    }
}

CUnicodeString CConsoleMessageHandler::ToLines(const CUnicodeString& text) { return WithCrLf(text) + u"\r\n"; }

// Pipes and files get UTF-8, which keeps every character that the ANSI code page would
// turn into "?"; a real console gets the characters themselves.
void CConsoleMessageHandler::DecideEncoding()
{
    m_encodingDecided = true;
    m_writeUtf8 = true;
    if (m_kind != kDiskFile)
        return;
    LARGE_INTEGER zero{}, position{};
    if (!SetFilePointerEx(m_output, zero, &position, FILE_CURRENT) || position.QuadPart == 0)
        return;
    // An existing file keeps its encoding: UTF-16 only when it starts with the mark.
    unsigned char mark[2] = {0, 0};
    DWORD read = 0;
    if (SetFilePointerEx(m_output, zero, nullptr, FILE_BEGIN) && ReadFile(m_output, mark, 2, &read, nullptr))
        m_writeUtf8 = !(read == 2 && mark[0] == 0xFF && mark[1] == 0xFE);
    SetFilePointerEx(m_output, position, nullptr, FILE_BEGIN);
}

bool CConsoleMessageHandler::WriteUtf8(const CUnicodeString& text)
{
    const std::vector<char> utf8 = text.ToUtf8Bytes();
    DWORD written = 0;
    return WriteFile(m_output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != FALSE;
}

bool CConsoleMessageHandler::WriteWide(const CUnicodeString& text)
{
    DWORD written = 0;
    return WriteFile(m_output, text.Ptr(), static_cast<DWORD>(text.Length() * sizeof(WChar)), &written, nullptr) !=
           FALSE;
}

int CConsoleMessageHandler::Show(void*, const CUnicodeString& text, const CUnicodeString&, unsigned flags)
{
    std::lock_guard<TObj::CLock> guard(m_lock);
    const CUnicodeString lines = ToLines(text);
    switch (m_kind) {
    case kCharacterDevice:
        for (int at = 0; at < lines.Length(); at += 16384) {
            const int piece = lines.Length() - at < 16384 ? lines.Length() - at : 16384;
            DWORD written = 0;
            WriteConsoleW(m_output, lines.W() + at, static_cast<DWORD>(piece), &written, nullptr);
        }
        break;
    case kNone: OutputDebugStringW(lines.W()); break;
    default:
        if (!m_encodingDecided)
            DecideEncoding();
        if (m_writeUtf8)
            WriteUtf8(lines);
        else
            WriteWide(lines);
        break;
    }
    return DefaultReply(flags);
}

} // namespace TObj
