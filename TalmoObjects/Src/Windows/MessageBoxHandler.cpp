#include "MessageBoxHandler.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "ResourceModules.h"

#include <windows.h>

namespace TObj {

unsigned CMessageBoxHandler::EffectiveFlags(void* owner, unsigned flags)
{
    const unsigned type = flags & 0xF;
    if ((flags & 0xF0) == 0 && (type == MB_OK || type == MB_OKCANCEL || type == MB_YESNOCANCEL || type == MB_YESNO))
        flags |= MB_ICONEXCLAMATION;
    const HWND popup = owner != nullptr ? GetLastActivePopup(static_cast<HWND>(owner)) : nullptr;
    if (popup == nullptr || !IsWindowVisible(popup))
        flags |= MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    return flags;
}

int CMessageBoxHandler::Show(void* owner, const CUnicodeString& text, const CUnicodeString& caption, unsigned flags)
{
    return MessageBoxW(static_cast<HWND>(owner), text.W(), caption.W(), EffectiveFlags(owner, flags));
}

int CMessageBoxHandler::ShowWithIcon(void* owner, const CUnicodeString& text, const CUnicodeString& caption,
                                     unsigned flags, const WChar* iconName)
{
    HMODULE module = nullptr;
    const wchar_t* icon = reinterpret_cast<const wchar_t*>(iconName);
    if (icon != nullptr)
        module = FindResourceModule(RT_GROUP_ICON, icon);
    TOBJ_ASSERT(module != nullptr, Places::kIconModuleMissing);
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof params;
    params.hwndOwner = static_cast<HWND>(owner);
    params.hInstance = module;
    params.lpszText = text.W();
    params.lpszCaption = caption.W();
    params.dwStyle = (EffectiveFlags(owner, flags) & ~0x70u) | MB_USERICON;
    params.lpszIcon = icon;
    return MessageBoxIndirectW(&params);
}

} // namespace TObj
