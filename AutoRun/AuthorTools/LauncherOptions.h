// LauncherOptions.h
// Holds CLauncherOptions, the author's options of the launcher, read from the same command
// line (response files included) as the page settings' own options, which ignore them:
//  - "check": list every problem of the disc instead of running it;
//  - "render" with a folder: write every page in every state as pictures into it, as
//    "render-format" says (bmp or png), of every language with "-l:all";
//  - "dry-run": run normally, but show what an action would ask the shell to do;
//  - "watch": run normally, and show the pages again whenever their files change;
//  - "new" with a folder: write a starter disc there instead of running;
//  - "high-contrast": draw (and render) the pages as in Windows' high-contrast theme;
//  - "outlines": draw (and render) the outlines that Ctrl+R shows while watching;
//  - "dpi" with a number: read, draw and render the pages as on a monitor of that DPI; with
//    "all", render them at every scale the check looks at, each into its sub-folder.
#pragma once

#include "CommandLine.h"
#include "UnicodeString.h"

struct CLauncherOptions {
    // The DPIs "--dpi" takes: from half to five times the usual 96.
    static constexpr int kLowestDpi = 48;
    static constexpr int kHighestDpi = 480;
    // Unknown for a format the render does not write, which it refuses.
    enum class EPictureFormat { Bitmap, Png, Unknown };

    bool check = false;
    bool dryRun = false;
    bool render = false;
    bool watch = false;
    bool makeNew = false;
    bool highContrast = false;
    bool outlines = false;
    TObj::CUnicodeString renderFolder;
    EPictureFormat renderFormat = EPictureFormat::Bitmap;
    bool renderAllLanguages = false;
    int dpi = 0; // 0: the monitor's
    bool renderAllDpis = false;
    TObj::CUnicodeString dpiName; // as written
    TObj::CUnicodeString newFolder;
    TObj::CUnicodeString renderFormatName; // as written

    // What makes the options unusable, for the author; empty when nothing does.
    TObj::CUnicodeString Problem() const;
    // Shows that problem where the author's options report; whether there was one.
    bool ReportProblem() const;

    // "--check", "-check", "/check"; "--render=<folder>", "-render:<folder>" and, since
    // the two forms are easily mixed, "--render:<folder>" (so too "new" and
    // "render-format" and "dpi"); "--dry-run", "-dry-run"; "--watch", "-watch", "/watch";
    // "-l:all". Of an option given twice the later counts.
    static CLauncherOptions From(const TObj::CCommandLine& line);
};
