// MessageBoxHandler.h
// Holds CMessageBoxHandler, which shows each message in a Win32 message box. Windows only.
#pragma once

#include "MessageHandler.h"

namespace TObj {

class CMessageBoxHandler : public CMessageHandler {
public:
    int Show(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags) override;
    int ShowWithIcon(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags,
                     const WChar* iconName) override;

    // The flags actually passed to the box: a default icon, and task-modal, foreground and
    // topmost unless a visible pop-up of the owner carries the box.
    static unsigned EffectiveFlags(void* owner, unsigned flags);
};

} // namespace TObj
