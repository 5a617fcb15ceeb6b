// RecordingHandler.h
// Holds CRecordingHandler, a message handler for tests: it records every message instead
// of showing it and answers with a chosen reply; installed for the calling thread while
// it lives, so no test can ever open a modal window. And ExpectReportedOnceAt, for a
// misuse that the library reports by its place.
#pragma once

#include "MessageHandler.h"
#include "ThrowForbidden.h"

#include <gtest/gtest.h>

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

// Where failures are shown rather than thrown, the call shows exactly one report, and it
// names that place ("nativefile, 52"), not one of a longer number.
template <class FCall>
void ExpectReportedOnceAt(const std::string& place, FCall&& call)
{
    CRecordingHandler recorder;
    {
        const CThrowForbidden forbidden;
        call();
    }
    ASSERT_EQ(1u, recorder.messages.size()) << place;
    const std::string text = recorder.messages[0].text.ToUtf8();
    const std::size_t at = text.find(place);
    EXPECT_TRUE(at != std::string::npos && !std::isdigit(static_cast<unsigned char>(text[at + place.size()])))
        << place << " in " << text;
}
