// LauncherOptions.h
// Holds CLauncherOptions, the author's options of the launcher, read from the same command
// line (response files included) as the page settings' own options, which ignore them:
//  - "check": list every problem of the disc instead of running it;
//  - "render" with a folder: write every page in every state as pictures into it;
//  - "dry-run": run normally, but show what an action would ask the shell to do;
//  - "watch": run normally, and show the pages again whenever their files change.
#pragma once

#include "CommandLine.h"
#include "UnicodeString.h"

struct CLauncherOptions {
    bool check = false;
    bool dryRun = false;
    bool render = false;
    bool watch = false;
    TObj::CUnicodeString renderFolder;

    // "--check", "-check", "/check"; "--render=<folder>", "-render:<folder>" and, since
    // the two forms are easily mixed, "--render:<folder>"; "--dry-run", "-dry-run";
    // "--watch", "-watch", "/watch".
    static CLauncherOptions From(const TObj::CCommandLine& line);
};
