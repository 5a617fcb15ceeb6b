#include "Font.h"

#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

void CFont::CreateFontW(int height, bool underline, const TObj::CUnicodeString& face)
{
    Create(
        [&] {
            return ::CreateFontW(height, 0, 0, 0, FW_DONTCARE, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                                 face.W());
        },
        Places::kCreateFontW);
}

void CFont::CreateFontIndirectW(const LOGFONTW& logFont)
{
    Create([&] { return ::CreateFontIndirectW(&logFont); }, Places::kCreateFontIndirectW);
}

LOGFONTW CFont::GetLogFont() const
{
    LOGFONTW logFont{};
    ZYR_CHECK(::GetObjectW(Handle(), sizeof logFont, &logFont) != 0, Places::kGetLogFont);
    return logFont;
}

} // namespace ZYR
