// LauncherProgram.h
// Holds LauncherProgram: the launcher program the tests start. A build of the tests for the
// shipped architecture starts the launcher as it ships (AUTORUN_LAUNCHER_PROGRAM, set by
// the build); other builds start the launcher built beside the tests. And
// RunsOn64BitWindows, the kind of Windows they run on.
#pragma once

#include "UnicodeString.h"

TObj::CUnicodeString LauncherProgram();

// True on 64-bit Windows, where a 32-bit process runs under WOW64.
bool RunsOn64BitWindows();
