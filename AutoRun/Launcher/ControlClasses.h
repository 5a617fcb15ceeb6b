// ControlClasses.h
// Holds the window class names of the launcher's two control kinds, registered when the
// application starts (empty until then), and their registration.
#pragma once

#include "UnicodeString.h"

namespace ControlClasses {

extern TObj::CUnicodeString commandControl; // CCommandControl's class
extern TObj::CUnicodeString commentControl; // CCommentControl's class

// Registers both, with double clicks, the arrow cursor and no background brush.
void Register();

} // namespace ControlClasses
