#include "ControlClasses.h"

#include "WindowClass.h"

#include <windows.h>

namespace ControlClasses {

TObj::CUnicodeString commandControl;
TObj::CUnicodeString commentControl;

void Register()
{
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    commandControl = ZYR::RegisterWindowClass(CS_DBLCLKS, arrow, nullptr);
    // Equal parameters give the same class, as the class names come from them.
    commentControl = ZYR::RegisterWindowClass(CS_DBLCLKS, arrow, nullptr);
}

} // namespace ControlClasses
