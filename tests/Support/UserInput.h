// UserInput.h
// Holds the input helpers that drive windows as a user would, through SendInput: a mouse
// button, and a key typed with another held down around it.
#pragma once

#include <windows.h>

void MouseButton(DWORD flags);          // MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP
void PressKey(WORD key, WORD held = 0); // with `held` (Shift, say) down around it
