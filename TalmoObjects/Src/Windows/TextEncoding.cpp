#include "TextEncoding.h"

#include <windows.h>

namespace TObj {

std::vector<char> EncodeText(const CUnicodeString& text, unsigned codePage)
{
    const UINT page = codePage == 0 ? CP_ACP : codePage;
    const int bytes = WideCharToMultiByte(page, 0, text.W(), text.Length(), nullptr, 0, nullptr, nullptr);
    std::vector<char> encoded(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
    if (bytes > 0)
        WideCharToMultiByte(page, 0, text.W(), text.Length(), encoded.data(), bytes, nullptr, nullptr);
    return encoded;
}

CUnicodeString WithCrLf(const CUnicodeString& text)
{
    CUnicodeString out;
    for (int i = 0; i < text.Length(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            out += u'\r';
        out += text[i];
    }
    return out;
}

} // namespace TObj
