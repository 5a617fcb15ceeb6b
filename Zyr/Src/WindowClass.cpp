#include "WindowClass.h"

#include "Errors.h"
#include "Lock.h"
#include "ReportPlaces.h"
#include "Window.h"
#include "ZyrFailure.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace ZYR {

namespace {
TObj::CLock g_queueLock;
std::vector<TObj::CUnicodeString> g_queue;

WNDCLASSEXW ClassDescription(const TObj::CUnicodeString& name, UINT style, HCURSOR cursor, HICON icon, HBRUSH brush)
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = style;
    description.lpfnWndProc = &ZyrWindowProcedure;
    description.hInstance = GetModuleHandleW(nullptr);
    description.hIcon = icon;
    description.hCursor = cursor;
    description.hbrBackground = brush;
    description.lpszClassName = name.W();
    return description;
}
} // namespace

TObj::CUnicodeString RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH brush)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const TObj::CUnicodeString name =
        TObj::CUnicodeString::Format(u"ZYR:%p:%x:%x:%x:%x:%x", static_cast<void*>(instance), style,
                                     static_cast<unsigned>(reinterpret_cast<UINT_PTR>(cursor)),
                                     static_cast<unsigned>(reinterpret_cast<UINT_PTR>(brush)), 0u, 0u);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name.W(), &existing))
        return name;
    const WNDCLASSEXW description = ClassDescription(name, style, cursor, nullptr, brush);
    const ATOM atom = RegisterClassExW(&description);
    ZYR_CHECK(atom != 0, Places::kRegisterWindowClass);
    return name;
}

ATOM RegisterWindowClass(const TObj::CUnicodeString& name, UINT style, HCURSOR cursor, HICON icon, HBRUSH brush)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!TOBJ_ASSERT(!GetClassInfoExW(GetModuleHandleW(nullptr), name.W(), &existing), Places::kClassRegisteredTwice))
        return 0;
    const WNDCLASSEXW description = ClassDescription(name, style | CS_DBLCLKS, cursor, icon, brush);
    const ATOM atom = RegisterClassExW(&description);
    ZYR_CHECK(atom != 0, Places::kRegisterWindowClass);
    return atom;
}

void UnregisterWindowClass(const TObj::CUnicodeString& name)
{
    ZYR_CHECK(UnregisterClassW(name.W(), GetModuleHandleW(nullptr)) != 0, Places::kUnregisterWindowClass);
}

WNDCLASSEXW GetWindowClassInfo(const TObj::CUnicodeString& name)
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    ZYR_CHECK(GetClassInfoExW(GetModuleHandleW(nullptr), name.W(), &description) != 0, Places::kGetWindowClassInfo);
    return description;
}

void QueueWindowClassForRemoval(const TObj::CUnicodeString& name)
{
    std::lock_guard<TObj::CLock> guard(g_queueLock);
    for (const auto& queued : g_queue)
        if (queued == name)
            return;
    g_queue.push_back(name);
}

void UnregisterQueuedWindowClasses()
{
    std::vector<TObj::CUnicodeString> queue;
    {
        std::lock_guard<TObj::CLock> guard(g_queueLock);
        queue.swap(g_queue);
    }
    for (const TObj::CUnicodeString& name : queue) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        if (!GetClassInfoExW(GetModuleHandleW(nullptr), name.W(), &description))
            continue;
        // Classes still in use by other windows stay registered. The system deletes the
        // background brush of a class it unregisters: deleting it again here could delete
        // another object that has since been given the same handle.
        if (!UnregisterClassW(name.W(), GetModuleHandleW(nullptr)))
            continue;
        if (description.hIconSm != nullptr)
            DestroyIcon(description.hIconSm);
        if (description.hIcon != nullptr)
            DestroyIcon(description.hIcon);
    }
}

} // namespace ZYR
