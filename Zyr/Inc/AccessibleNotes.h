// AccessibleNotes.h
// Holds ZYR::AccessibleNotes, what a screen reader hears of a control beyond what the
// system's standard proxy for its class tells: a description, and that it is unavailable.
// Windows' dynamic annotation (IAccPropServices) carries both, for the proxy to answer
// with; it is made, and its library loaded, only at the first note, which a control gives
// when an accessibility client first asks for it (WM_GETOBJECT).
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {
namespace AccessibleNotes {

// Sets the control's description (none for an empty text) and its unavailable state; false
// where the system has no annotation service (Wine, say).
bool Describe(HWND control, const TObj::CUnicodeString& description, bool unavailable);
// Takes the notes away, as a control that goes must.
void Forget(HWND control);

} // namespace AccessibleNotes
} // namespace ZYR
