// ToolOutput.h
// Holds ShowToolText, how the author's options report: to standard output when it is a
// file, pipe or console; to the console the launcher was started from when there is one;
// otherwise in the window library's message box.
#pragma once

#include "UnicodeString.h"

#include <windows.h>

// `boxFlags` are CMessageBox flags, used only when the text goes to a box.
void ShowToolText(HWND owner, const TObj::CUnicodeString& text, const TObj::CUnicodeString& caption, unsigned boxFlags);
