// ControlClasses.h
// Holds the window class names of the launcher's two control kinds, registered when the
// application starts (empty until then), and their registration; the identifier their
// windows have, and the system classes they act as for accessibility.
#pragma once

#include "UnicodeString.h"

namespace ControlClasses {

extern TObj::CUnicodeString commandControl; // CCommandControl's class
extern TObj::CUnicodeString commentControl; // CCommentControl's class

// The identifier of every control's window: the launcher tells its controls apart by their
// objects, not by identifiers.
constexpr unsigned kControlId = 1000;

// What a control answers to WM_GETOBJECT's OBJID_QUERYCLASSNAMEIDX: 65536 plus the index of
// the system class it acts as in the accessibility's list of classes, so that screen readers
// treat a command as a push button and a label as static text.
constexpr int kClassNameIndexBase = 65536;
constexpr int kActsAsButton = kClassNameIndexBase + 2;
constexpr int kActsAsStatic = kClassNameIndexBase + 3;

// Registers both, with double clicks, the arrow cursor and no background brush.
void Register();

} // namespace ControlClasses
