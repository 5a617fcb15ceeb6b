#include "TextProbe.h"

#include "CatchFailure.h"
#include "File.h"
#include "TextDecoding.h"

namespace TextProbe {

std::vector<CUndecodable> UndecodableLines(const TObj::CUnicodeString& path)
{
    std::vector<unsigned char> bytes;
    // The reader reports a file it cannot read.
    if (!TObj::IgnoreFailure([&] {
            TObj::CFile file;
            file.Open(path, TObj::CFile::kReadShared);
            bytes = file.ReadToEnd();
        }))
        return {};
    std::size_t mark = 0;
    const int codePage = TObj::DetectEncoding(bytes.data(), bytes.size(), TObj::kCodePageAnsi, mark);
    const bool utf16 = codePage == TObj::kCodePageUtf16LE || codePage == TObj::kCodePageUtf16BE;
    const std::size_t step = utf16 ? 2 : 1;
    const std::size_t low = codePage == TObj::kCodePageUtf16BE ? 1 : 0; // where an ASCII unit's byte lies
    std::vector<CUndecodable> lines;
    int line = 1;
    std::size_t at = mark;
    for (const std::size_t offset : TObj::UndecodableOffsets(bytes.data() + mark, bytes.size() - mark, codePage)) {
        // Line ends as the reader counts them: LF, VT, FF, CR, and CR LF as one.
        for (; at + step <= mark + offset; at += step) {
            const bool ascii = !utf16 || bytes[at + 1 - low] == 0;
            const unsigned char unit = bytes[at + low];
            if (ascii && (unit == 10 || unit == 11 || unit == 12 ||
                          (unit == 13 && !(at + 2 * step <= bytes.size() && bytes[at + step + low] == 10))))
                ++line;
        }
        if (lines.empty() || lines.back().line != line)
            lines.push_back(CUndecodable{line, utf16});
    }
    return lines;
}

} // namespace TextProbe
