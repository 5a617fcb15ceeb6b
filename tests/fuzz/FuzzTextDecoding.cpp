// Fuzzes the text reader's decoding: every encoding, with and without a mark, and the
// splitting into lines, which must account for every character that is not a line end.
#include "TextDecoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using TObj::CUnicodeString;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int codePages[] = {TObj::kCodePageUtf16LE, TObj::kCodePageUtf16BE, TObj::kCodePageUtf8, 1252};
    for (const int codePage : codePages) {
        CUnicodeString text;
        // Broken bytes are replaced rather than refused, so every input gives a text; it
        // is complete exactly when no byte needed replacing.
        const bool complete = TObj::DecodeText(data, size, codePage, text);
        if (complete != TObj::UndecodableOffsets(data, size, codePage).empty())
            std::abort();
        if ((codePage == TObj::kCodePageUtf16LE || codePage == TObj::kCodePageUtf16BE) &&
            text.Length() != static_cast<int>(size / 2))
            std::abort();
        int ends = 0;
        for (int i = 0; i < text.Length(); ++i) {
            const char16_t ch = text[i];
            if (ch == 10 || ch == 11 || ch == 12 || ch == 13 || ch == 0x2028 || ch == 0x2029)
                ++ends;
        }
        int kept = 0;
        for (const CUnicodeString& line : TObj::SplitLines(text))
            kept += line.Length();
        if (kept != text.Length() - ends)
            std::abort();
    }
    std::size_t mark = 0;
    const int detected = TObj::DetectEncoding(data, size, 1252, mark);
    if (mark > size || (mark > 0 && detected == 1252))
        std::abort();
    return 0;
}
