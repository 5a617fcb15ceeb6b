// WindowClass.h
// Holds the registration of window classes under generated names "ZYR:%p:%x:%x:%x:%x:%x"
// (instance, style, cursor, brush, 0, 0): equal requests share one class. Frames queue
// the classes they registered for unregistration at the next idle pass or clean-up.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

namespace ZYR {

TObj::CUnicodeString RegisterWindowClass(UINT style, HCURSOR cursor, HBRUSH brush);
ATOM RegisterWindowClass(const TObj::CUnicodeString& name, UINT style, HCURSOR cursor, HICON icon, HBRUSH brush);
void UnregisterWindowClass(const TObj::CUnicodeString& name);
WNDCLASSEXW GetWindowClassInfo(const TObj::CUnicodeString& name);

// Queues a class once, to be unregistered, with its icons, when the loop is idle.
void QueueWindowClassForRemoval(const TObj::CUnicodeString& name);
void UnregisterQueuedWindowClasses();

} // namespace ZYR
