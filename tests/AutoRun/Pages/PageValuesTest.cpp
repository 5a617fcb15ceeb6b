// Every kind of page value as the settings reader reads it, from the table in
// data/page-values.tsv: kind, dots per inch (followed by "page" on a page that scales as a
// whole), text, and the value stored or "malformed".
#include "PageValues.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <cstdio>

using TObj::CUnicodeString;

namespace {

// The stored value as the table writes it, or "malformed".
std::string Read(const std::string& kind, int dpi, PageValues::EPixels pixels, const CUnicodeString& text)
{
    char out[64] = "malformed";
    std::int32_t number = 0;
    std::uint32_t color = 0;
    CPageRect r;
    CPageSize size;
    double decimal = 0;
    bool flag = false;
    if (kind == "integer" && PageValues::ParseInteger(text, dpi, number, pixels))
        std::snprintf(out, sizeof out, "%d", number);
    else if (kind == "font size" && PageValues::ParseFontSize(text, dpi, number, pixels))
        std::snprintf(out, sizeof out, "%d", number);
    else if (kind == "colour" && PageValues::ParseColor(text, color))
        std::snprintf(out, sizeof out, color == kNoColor ? "%08X" : "%06X", color);
    else if (kind == "rectangle" && PageValues::ParseRect(text, dpi, r, pixels))
        std::snprintf(out, sizeof out, "[%d, %d, %d, %d]", r.left, r.top, r.right, r.bottom);
    else if (kind == "size" && PageValues::ParseSize(text, dpi, size, pixels))
        std::snprintf(out, sizeof out, "[%d, %d]", size.width, size.height);
    else if (kind == "decimal" && PageValues::ParseDecimal(text, decimal))
        std::snprintf(out, sizeof out, "%g", decimal);
    else if (kind == "boolean" && PageValues::ParseBool(text, flag))
        std::snprintf(out, sizeof out, "%s", flag ? "true" : "false");
    else if (kind == "scaled")
        std::snprintf(out, sizeof out, "%lld",
                      static_cast<long long>(PageValues::ScaleByDpi(std::stoll(text.ToUtf8()), dpi)));
    else if (kind == "line breaks") {
        std::string lines = PageValues::ExpandLineBreaks(text).ToUtf8();
        for (char& c : lines)
            c = c == '\n' ? '|' : c;
        return lines;
    }
    return out;
}

} // namespace

TEST(PageValues, EveryKindReadsAsTheTableSays)
{
    for (const auto& row : ReadTable("tests/data/page-values.tsv", 4, 80)) {
        const auto pixels =
            row[1].find("page") != std::string::npos ? PageValues::EPixels::Scaled : PageValues::EPixels::Kept;
        EXPECT_EQ(row[3], Read(row[0], std::stoi(row[1]), pixels, U(row[2].c_str())))
            << row[0] << " \"" << row[2] << "\" at " << row[1] << " dpi";
    }
}
