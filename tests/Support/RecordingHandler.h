// RecordingHandler.h
// Holds CRecordingHandler, a message handler for tests: it records every message instead
// of showing it and answers with a chosen reply; installed for the calling thread while
// it lives, so no test can ever open a modal window. And NamesPlace, whether a report
// names a place.
#pragma once

#include "MessageHandler.h"

#include <cctype>
#include <string>
#include <vector>

struct CRecordedMessage {
    TObj::CUnicodeString text;
    TObj::CUnicodeString caption;
    unsigned flags;
};

class CRecordingHandler : public TObj::CMessageHandler {
public:
    explicit CRecordingHandler(int reply = TObj::kReplyOk) : m_reply(reply), m_holder(*this, true)
    {
        m_holder.Install();
    }

    int Show(void*, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption, unsigned flags) override
    {
        messages.push_back({text, caption, flags});
        if (onShow)
            onShow(text);
        return m_reply;
    }

    std::vector<CRecordedMessage> messages;
    void (*onShow)(const TObj::CUnicodeString& text) = nullptr;

private:
    int m_reply;
    TObj::CMessageHandlerHolder m_holder;
};

// Whether a report's text names that place ("nativefile, 52"), and not a longer number.
inline bool NamesPlace(const TObj::CUnicodeString& text, const std::string& place)
{
    const std::string utf8 = text.ToUtf8();
    const std::size_t at = utf8.find(place);
    return at != std::string::npos && !std::isdigit(static_cast<unsigned char>(utf8[at + place.size()]));
}
