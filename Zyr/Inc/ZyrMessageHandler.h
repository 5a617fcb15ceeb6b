// ZyrMessageHandler.h
// Holds ZYR::CZyrMessageHandler, the message handler the window library installs while an
// application runs: on the GUI thread the box belongs to the owner's last active pop-up, or
// is task-modal, topmost and in front when there is none; with a right-to-left process
// layout it reads right to left. Boxes get the default icon of their buttons.
#pragma once

#include "MessageHandler.h"

#include <windows.h>

namespace ZYR {

class CZyrMessageHandler : public TObj::CMessageHandler {
public:
    int Show(void* owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption,
             unsigned flags) override;
    int ShowWithIcon(void* owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption, unsigned flags,
                     const TObj::WChar* iconName) override;

    // The flags and owner a box gets on the GUI thread.
    static unsigned EffectiveFlags(HWND& owner, unsigned flags);
    // The icon a standard box from another thread gets when the flags name none, by its
    // button set: OK, OK-Cancel: exclamation; Yes-No(-Cancel): question; Abort-Retry-Ignore,
    // Retry-Cancel: stop.
    static unsigned StandardBoxIcon(unsigned flags);
};

} // namespace ZYR
