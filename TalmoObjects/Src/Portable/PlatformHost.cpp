// The host build's answers to the platform questions: no registry, no debugger breaks,
// messages go to standard error, and message texts come from the compiled-in table.
#include "Platform.h"

#include "Errors.h"
#include "MessageHandler.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "TextDecoding.h"

namespace TObj {

namespace {

class CStandardErrorHandler : public CMessageHandler {
public:
    CStandardErrorHandler() { MarkAsStaticInstance(); }
    int Show(void*, const CUnicodeString& text, const CUnicodeString&, unsigned flags) override
    {
        std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
        return DefaultReply(flags);
    }
};

CStandardErrorHandler g_standardError;

struct CTextEntry {
    const WChar* name;
    const WChar* text;
};

const CTextEntry kTexts[] = {
#define MESSAGE(name, id, text) {u## #name, u##text},
#include "messages.def"
#undef MESSAGE
};

} // namespace

namespace Platform {

int ReadUserDebugInt(const WChar*, int fallback) { return fallback; }
void ApplyStopMode(int) {}
CMessageHandler* ChooseDefaultHandler() { return &g_standardError; }

int ShowWithoutHandler(const CUnicodeString& text, const CUnicodeString&, unsigned flags)
{
    std::fprintf(stderr, "%s\n", text.ToUtf8().c_str());
    return DefaultReply(flags);
}

void WriteMessageLog(const CUnicodeString&) noexcept {}
void HoldMessageLogSetting(bool) noexcept {}

} // namespace Platform

bool LookupMessageText(const WChar* name, CUnicodeString& text)
{
    const std::uint32_t id = FindProgramMessageId(name);
    if (id == 0)
        return false;
    for (const CTextEntry& entry : kTexts)
        if (FindProgramMessageId(entry.name) == id) {
            text = CUnicodeString(entry.text);
            return true;
        }
    return false;
}

CUnicodeString SystemErrorText(std::uint32_t code)
{
    TOBJ_MESSAGE(ERR_UNKNOWN_LAST_ERROR_TEXT);
    return FormatMessageText(ERR_UNKNOWN_LAST_ERROR_TEXT, CUnicodeString::FromUInt(code, 16));
}

} // namespace TObj

namespace TObj {

// The host has no code pages of its own: bytes map one to one onto U+0000..U+00FF.
bool DecodeCodePage(const unsigned char* bytes, std::size_t count, int, CUnicodeString& text)
{
    if (count > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return false;
    const int length = static_cast<int>(count);
    text = CUnicodeString::Written(length, [&](WChar* units) {
        std::copy(bytes, bytes + count, units);
        return length;
    });
    return true;
}

} // namespace TObj
