// MessageMap.h
// Holds the window library's static message maps: an entry per message (number,
// notification code, control identifier range, handler signature, handler), chained to the
// base class's map; the typed call thunks of each signature; and the macros that declare
// and fill a map. A registered message is matched through the variable that holds it. A
// window's drawing is one handler for the screen and for pictures (ZYR_ON_DRAW).
#pragma once

#include "DC.h"

#include <windows.h>

namespace ZYR {

class CCmdTarget;
class CWindow;

enum EHandlerSignature : UINT {
    kSigEnd = 0,
    kSigBoolWindowUintUint = 0x05, // bool (CWindow*, UINT, UINT)
    kSigIntCreate = 0x0D,          // int (CREATESTRUCTW*)
    kSigWparamLparam = 0x0E,       // LRESULT (WPARAM, LPARAM)
    kSigVoid = 0x10,               // void ()
    kSigKey = 0x18,                // void (UINT key, UINT repeat, UINT flags)
    kSigWindow = 0x23,             // void (CWindow*)
    kSigUint = 0x31,               // UINT ()
    kSigPoint = 0x36,              // void (UINT flags, int x, int y)
    kSigDraw = 0x100,              // void (HDC): WM_PAINT and WM_PRINTCLIENT alike
};

using FMessageThunk = LRESULT (*)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);

struct CMessageMapEntry {
    UINT message; // 0xC000 for a registered message
    UINT code;
    UINT firstId;
    UINT lastId;
    UINT signature; // kSigEnd ends the array
    FMessageThunk handler;
    const UINT* registered; // the variable holding a registered message's number
};

struct CMessageMap {
    const CMessageMap* (*base)();
    const CMessageMapEntry* entries;
};

// Finds the entry for `message` in the map and then its base maps; first match wins.
const CMessageMapEntry* FindMessageEntry(const CMessageMap* map, UINT message);

CWindow* WindowFromHandleForMap(HWND handle);

namespace Thunks {
template <class T, LRESULT (T::*M)(WPARAM, LPARAM)>
LRESULT WparamLparam(CCmdTarget& t, WPARAM w, LPARAM l)
{
    return (static_cast<T&>(t).*M)(w, l);
}
template <class T, void (T::*M)()>
LRESULT Void(CCmdTarget& t, WPARAM, LPARAM)
{
    (static_cast<T&>(t).*M)();
    return 0;
}
template <class T, int (T::*M)(CREATESTRUCTW*)>
LRESULT Create(CCmdTarget& t, WPARAM, LPARAM l)
{
    return (static_cast<T&>(t).*M)(reinterpret_cast<CREATESTRUCTW*>(l));
}
template <class T, void (T::*M)(UINT, UINT, UINT)>
LRESULT Key(CCmdTarget& t, WPARAM w, LPARAM l)
{
    (static_cast<T&>(t).*M)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    return 0;
}
template <class T, void (T::*M)(CWindow*)>
LRESULT Window(CCmdTarget& t, WPARAM w, LPARAM)
{
    (static_cast<T&>(t).*M)(WindowFromHandleForMap(reinterpret_cast<HWND>(w)));
    return 0;
}
template <class T, bool (T::*M)(CWindow*, UINT, UINT)>
LRESULT BoolWindowUintUint(CCmdTarget& t, WPARAM w, LPARAM l)
{
    return (static_cast<T&>(t).*M)(WindowFromHandleForMap(reinterpret_cast<HWND>(w)), LOWORD(l), HIWORD(l));
}
template <class T, UINT (T::*M)()>
LRESULT Uint(CCmdTarget& t, WPARAM, LPARAM)
{
    return (static_cast<T&>(t).*M)();
}
template <class T, void (T::*M)(UINT, int, int)>
LRESULT Point(CCmdTarget& t, WPARAM w, LPARAM l)
{
    (static_cast<T&>(t).*M)(static_cast<UINT>(w), static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l)));
    return 0;
}
// WM_PAINT draws between BeginPaint and EndPaint; WM_PRINTCLIENT into the context it brings.
template <class T, void (T::*M)(HDC)>
LRESULT Paint(CCmdTarget& t, WPARAM, LPARAM)
{
    T& window = static_cast<T&>(t);
    const CPaintDC paint(window.Handle());
    (window.*M)(paint.Get());
    return 0;
}
template <class T, void (T::*M)(HDC)>
LRESULT PrintClient(CCmdTarget& t, WPARAM w, LPARAM)
{
    (static_cast<T&>(t).*M)(reinterpret_cast<HDC>(w));
    return 0;
}
} // namespace Thunks

} // namespace ZYR

#define ZYR_DECLARE_MESSAGE_MAP()                                                                                      \
public:                                                                                                                \
    const ::ZYR::CMessageMap* GetMessageMap() const override;                                                          \
    static const ::ZYR::CMessageMap* ThisMessageMap();

#define ZYR_BEGIN_MESSAGE_MAP(Class, Base)                                                                             \
    const ::ZYR::CMessageMap* Class::GetMessageMap() const { return ThisMessageMap(); }                                \
    const ::ZYR::CMessageMap* Class::ThisMessageMap()                                                                  \
    {                                                                                                                  \
        using ThisClass = Class;                                                                                       \
        static const ::ZYR::CMessageMapEntry entries[] = {
#define ZYR_END_MESSAGE_MAP(Base)                                                                                      \
    {                                                                                                                  \
        0, 0, 0, 0, ::ZYR::kSigEnd, nullptr, nullptr                                                                   \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const ::ZYR::CMessageMap map = {&Base::ThisMessageMap, entries};                                            \
    return &map;                                                                                                       \
    }

#define ZYR_ON_MESSAGE(message, method)                                                                                \
    {message, 0, 0, 0, ::ZYR::kSigWparamLparam, &::ZYR::Thunks::WparamLparam<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_REGISTERED_MESSAGE(variable, method)                                                                    \
    {0xC000, 0, 0, 0, ::ZYR::kSigWparamLparam, &::ZYR::Thunks::WparamLparam<ThisClass, &ThisClass::method>, &variable},
#define ZYR_ON_VOID(message, method)                                                                                   \
    {message, 0, 0, 0, ::ZYR::kSigVoid, &::ZYR::Thunks::Void<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_CREATE(method)                                                                                          \
    {WM_CREATE, 0, 0, 0, ::ZYR::kSigIntCreate, &::ZYR::Thunks::Create<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_KEY(message, method)                                                                                    \
    {message, 0, 0, 0, ::ZYR::kSigKey, &::ZYR::Thunks::Key<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_FOCUS(message, method)                                                                                  \
    {message, 0, 0, 0, ::ZYR::kSigWindow, &::ZYR::Thunks::Window<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_SETCURSOR(method)                                                                                       \
    {WM_SETCURSOR,                                                                                                     \
     0,                                                                                                                \
     0,                                                                                                                \
     0,                                                                                                                \
     ::ZYR::kSigBoolWindowUintUint,                                                                                    \
     &::ZYR::Thunks::BoolWindowUintUint<ThisClass, &ThisClass::method>,                                                \
     nullptr},
#define ZYR_ON_UINT(message, method)                                                                                   \
    {message, 0, 0, 0, ::ZYR::kSigUint, &::ZYR::Thunks::Uint<ThisClass, &ThisClass::method>, nullptr},
#define ZYR_ON_POINT(message, method)                                                                                  \
    {message, 0, 0, 0, ::ZYR::kSigPoint, &::ZYR::Thunks::Point<ThisClass, &ThisClass::method>, nullptr},
// A picture of the window (WM_PRINTCLIENT) drawn by one method.
#define ZYR_ON_PRINTCLIENT(method)                                                                                     \
    {WM_PRINTCLIENT, 0, 0, 0, ::ZYR::kSigDraw, &::ZYR::Thunks::PrintClient<ThisClass, &ThisClass::method>, nullptr},
// One drawing method serves the screen (WM_PAINT) and pictures of the window (WM_PRINTCLIENT).
#define ZYR_ON_DRAW(method)                                                                                            \
    {WM_PAINT, 0, 0, 0, ::ZYR::kSigDraw, &::ZYR::Thunks::Paint<ThisClass, &ThisClass::method>, nullptr},               \
        ZYR_ON_PRINTCLIENT(method)
