#include "ZyrMessageHandler.h"

#include "MessageBox.h"
#include "ReportPlaces.h"
#include "Window.h"
#include "ZyrFailure.h"

#include <windows.h>

namespace ZYR {

unsigned CZyrMessageHandler::StandardBoxIcon(unsigned flags)
{
    if ((flags & 0xF0) != 0)
        return flags;
    switch (flags & 0xF) {
    case MB_OK:
    case MB_OKCANCEL: return flags | MB_ICONEXCLAMATION;
    case MB_YESNOCANCEL:
    case MB_YESNO: return flags | MB_ICONQUESTION;
    case MB_ABORTRETRYIGNORE:
    case MB_RETRYCANCEL: return flags | MB_ICONHAND;
    default: return flags;
    }
}

unsigned CZyrMessageHandler::EffectiveFlags(HWND& owner, unsigned flags)
{
    HWND popup = nullptr;
    if (owner != nullptr) {
        const HWND topLevel = GetAncestor(owner, GA_ROOT);
        popup = GetLastActivePopup(topLevel != nullptr ? topLevel : owner);
    }
    if (popup == nullptr || IsIconic(popup) || !IsWindowVisible(popup)) {
        flags |= MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
        owner = nullptr;
    } else {
        owner = popup;
    }
    DWORD layout = 0;
    ZYR_CHECK(GetProcessDefaultLayout(&layout) != 0, Places::kGetProcessDefaultLayout);
    if (layout & LAYOUT_RTL)
        flags |= MB_RIGHT | MB_RTLREADING;
    // No icon is added here: the library's box chooses its own by its buttons.
    return flags;
}

int CZyrMessageHandler::Show(void* owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption,
                             unsigned flags)
{
    return ShowWithIcon(owner, text, caption, flags, nullptr);
}

int CZyrMessageHandler::ShowWithIcon(void* owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption,
                                     unsigned flags, const TObj::WChar*)
{
    HWND window = static_cast<HWND>(owner);
    if (!IsGuiThread() || (flags & MB_SERVICE_NOTIFICATION) != 0) {
        return MessageBoxW(nullptr, text.W(), caption.W(),
                           StandardBoxIcon(flags | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST));
    }
    const unsigned effective = EffectiveFlags(window, flags);
    CMessageBox box(window, text, caption, CMessageBox::FlagsFromWin32(effective));
    return box.DoModal();
}

} // namespace ZYR
