#include "TextProbe.h"

#include "CatchFailure.h"
#include "File.h"
#include "TextDecoding.h"

namespace TextProbe {

namespace {

// Empty for a file that cannot be read: the reader reports it.
std::vector<unsigned char> FileBytes(const TObj::CUnicodeString& path)
{
    std::vector<unsigned char> bytes;
    TObj::IgnoreFailure([&] {
        TObj::CFile file;
        file.Open(path, TObj::CFile::kReadShared);
        bytes = file.ReadToEnd();
    });
    return bytes;
}

// Whether the unit at `at` (`step` bytes wide, its ASCII byte at `low`) ends a line as the
// reader counts them: LF, VT, FF, CR, and CR LF as one.
bool EndsLine(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t step, std::size_t low)
{
    if (step == 2 && bytes[at + 1 - low] != 0)
        return false;
    const unsigned char unit = bytes[at + low];
    return unit == 10 || unit == 11 || unit == 12 ||
           (unit == 13 && !(at + 2 * step <= bytes.size() && bytes[at + step + low] == 10));
}

// The length of the well-formed multi-byte UTF-8 sequence at `at`, or 0: no overlong forms,
// no surrogates, nothing past U+10FFFF.
std::size_t Utf8SequenceAt(const std::vector<unsigned char>& bytes, std::size_t at)
{
    const unsigned char lead = bytes[at];
    if (lead < 0xC2 || lead > 0xF4)
        return 0;
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (at + length > bytes.size())
        return 0;
    const unsigned char second = bytes[at + 1];
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (bytes[at + i] < 0x80 || bytes[at + i] > 0xBF)
            return 0;
    return length;
}

} // namespace

CTextFindings ProbeText(const TObj::CUnicodeString& path)
{
    const std::vector<unsigned char> bytes = FileBytes(path);
    std::size_t mark = 0;
    const int codePage = TObj::DetectEncoding(bytes.data(), bytes.size(), TObj::kCodePageAnsi, mark);
    const bool utf16 = codePage == TObj::kCodePageUtf16LE || codePage == TObj::kCodePageUtf16BE;
    const std::size_t step = utf16 ? 2 : 1;
    const std::size_t low = codePage == TObj::kCodePageUtf16BE ? 1 : 0; // where an ASCII unit's byte lies
    CTextFindings findings;
    int line = 1;
    std::size_t at = mark;
    for (const std::size_t offset : TObj::UndecodableOffsets(bytes.data() + mark, bytes.size() - mark, codePage)) {
        for (; at + step <= mark + offset; at += step)
            line += EndsLine(bytes, at, step, low) ? 1 : 0;
        if (findings.undecodable.empty() || findings.undecodable.back().line != line)
            findings.undecodable.push_back(CUndecodable{line, utf16});
    }
    if (codePage != TObj::kCodePageAnsi)
        return findings;
    line = 1;
    for (at = 0; at < bytes.size(); ++at) {
        if (EndsLine(bytes, at, 1, 0)) {
            ++line;
        } else if (const std::size_t length = Utf8SequenceAt(bytes, at)) {
            if (findings.utf8WithoutMark.empty() || findings.utf8WithoutMark.back() != line)
                findings.utf8WithoutMark.push_back(line);
            at += length - 1;
        }
    }
    return findings;
}

} // namespace TextProbe
