#include "Font.h"

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
        CFailurePlace{u"ZYR::CFont::CreateFontW", u"font != 0", u"gdiobjectzyr", 209});
}

void CFont::CreateFontIndirectW(const LOGFONTW& logFont)
{
    Create([&] { return ::CreateFontIndirectW(&logFont); },
           CFailurePlace{u"ZYR::CFont::CreateFontIndirectW", u"font != 0", u"gdiobjectzyr", 216});
}

LOGFONTW CFont::GetLogFont() const
{
    LOGFONTW logFont{};
    ZYR_CHECK(::GetObjectW(Handle(), sizeof logFont, &logFont) != 0, u"ZYR::CFont::GetLogFont",
              u"::GetObject(font, sizeof(logFont), &logFont) != 0", u"gdiobjectzyr", 189);
    return logFont;
}

} // namespace ZYR
