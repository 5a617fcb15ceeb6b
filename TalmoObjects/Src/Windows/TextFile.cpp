#include "TextFile.h"

#include "Errors.h"
#include "ReportPlaces.h"

#include <windows.h>

namespace TObj {

namespace {
TOBJ_MESSAGE(ERR_BAD_TEXT_FILE);
}

void CTextFile::OpenForReading(const CUnicodeString& path, int fallbackCodePage)
{
    if (m_state != kClosed) {
        GenerateInternalError(kAssertion, Places::kTextFileOpenedTwice);
        return;
    }
    m_file.Open(path, CFile::kReadShared);
    const std::int64_t length = m_file.Length();
    if (length > 0x7FFFFFF0)
        ThrowCheckError(ERR_BAD_TEXT_FILE, m_file.GetFileName());
    const std::vector<unsigned char> bytes = m_file.ReadToEnd();
    std::size_t mark = 0;
    m_codePage = DetectEncoding(bytes.data(), bytes.size(), fallbackCodePage, mark);
    CUnicodeString text;
    // Bytes that do not decode are replaced, so that one bad byte does not stop a disc;
    // the author's check reports where they are.
    DecodeText(bytes.data() + mark, bytes.size() - mark, m_codePage, text);
    m_text = text;
    m_next = 0;
    m_state = kReading;
}

bool CTextFile::ReadLine(CUnicodeString& line)
{
    int start = 0, length = 0;
    if (m_state != kReading || !NextLine(m_text, m_next, start, length))
        return false;
    line = m_text.Mid(start, length);
    return true;
}

void CTextFile::Close() noexcept
{
    m_file.Close();
    m_text = CUnicodeString();
    m_next = 0;
    m_state = kClosed;
}

bool DecodeCodePage(const unsigned char* bytes, std::size_t count, int codePage, CUnicodeString& text)
{
    if (count == 0) {
        text = CUnicodeString();
        return true;
    }
    if (count > 0x7FFFFFF0)
        return false;
    const UINT page = codePage == kCodePageAnsi ? CP_ACP : static_cast<UINT>(codePage);
    const auto* source = reinterpret_cast<const char*>(bytes);
    const int units = MultiByteToWideChar(page, 0, source, static_cast<int>(count), nullptr, 0);
    if (units <= 0)
        return false;
    text = CUnicodeString::Written(units, [&](WChar* buffer) {
        return MultiByteToWideChar(page, 0, source, static_cast<int>(count), reinterpret_cast<wchar_t*>(buffer), units);
    });
    return text.Length() == units;
}

} // namespace TObj
