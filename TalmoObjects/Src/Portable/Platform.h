// Platform.h
// Holds what the foundation library asks of the system it runs on: stop modes, the debugger,
// the default message handler, the message log, and showing a text with no handler left.
#pragma once

#include "UnicodeString.h"

#include <cstdint>

namespace TObj {

class CMessageHandler;

namespace Platform {

// A debug setting from the current user's key, parsed as an integer; `fallback` otherwise.
int ReadUserDebugInt(const WChar* name, int fallback);
// Stop modes: 2 breaks when a debugger is attached, 3 always (only where one can attach).
void ApplyStopMode(int mode);
// A debugger taken as attached, and what it does at a break (null: the real one, if any).
void SetDebuggerForTesting(void (*atBreak)()) noexcept;
CMessageHandler* ChooseDefaultHandler();
// The fallback once the default handler is gone: standard output if it is a file, device
// or pipe, else a system message box.
int ShowWithoutHandler(const CUnicodeString& text, const CUnicodeString& caption, unsigned flags);
// Appends one line to the message log when the machine's settings ask for it. Never throws.
void WriteMessageLog(const CUnicodeString& text) noexcept;
// Reads the machine's log setting once and keeps it (true), or forgets it (false), so
// that a running library does not open the registry for every line.
void HoldMessageLogSetting(bool hold) noexcept;

} // namespace Platform
} // namespace TObj
