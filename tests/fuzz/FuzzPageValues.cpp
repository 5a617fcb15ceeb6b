// Fuzzes every value syntax of page files and variable substitution. The first byte picks
// the screen DPI; the rest is split into lines: the first lines define variables, every
// line is then parsed as each kind of value.
#include "PageLayout.h"
#include "PageValues.h"
#include "PageVariables.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using TObj::CUnicodeString;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int dpi = 48 + data[0] * 2;
    const CUnicodeString text = TObj::DecodeUtf8(reinterpret_cast<const char*>(data + 1), size - 1);

    CPageVariables variables;
    int start = 0;
    int lineNumber = 0;
    while (start <= text.Length()) {
        int end = text.Find(u'\n', start);
        if (end < 0)
            end = text.Length();
        const CUnicodeString line = text.Mid(start, end - start);
        start = end + 1;
        if (lineNumber++ < 4) {
            const int equals = line.Find(u'=');
            if (equals > 0)
                variables.Define(line.Left(equals), line.Mid(equals + 1));
        }
        const CUnicodeString value = PageValues::ExpandLineBreaks(variables.Expand(line));

        std::int32_t integer = 0, fontSize = 0, step = 0;
        std::uint32_t color = 0;
        bool flag = false;
        double ratio = 1.8;
        CPageRect rect;
        CPageSize pageSize;
        PageValues::ParseInteger(value, dpi, integer);
        PageValues::ParseColor(value, color);
        PageValues::ParseBool(value, flag);
        PageValues::ParseDecimal(value, ratio);
        PageValues::ParseSize(value, dpi, pageSize);
        if (PageValues::ParseFontSize(value, dpi, fontSize) && PageLayout::DefaultStep(fontSize, ratio, step)) {
            const CPageRect first = PageLayout::FirstDefaultRect(rect, step);
            (void)PageLayout::NextDefaultRect(first, step, step);
        }
        if (PageValues::ParseRect(value, dpi, rect)) {
            PageLayout::CTextArea area;
            if (PageLayout::CommandTextArea(rect, integer, integer, integer, integer, area) ==
                    PageLayout::ETextArea::Ok &&
                (area.right <= 0 || area.bottom <= 0))
                std::abort();
        }
    }
    return 0;
}
