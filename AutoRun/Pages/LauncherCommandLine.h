// LauncherCommandLine.h
// Holds ReadLauncherCommandLine, the launcher's command line as the page settings and the
// author's options both read it: split into arguments, its response files read in their
// place, the program name left out.
#pragma once

#include "CommandLine.h"

TObj::CCommandLine ReadLauncherCommandLine(const TObj::CUnicodeString& commandLine);
