// MonitorDpi.h
// Holds ZYR::CMonitorDpi, the one place a window asks for the DPI of a monitor and for its
// frame at a DPI. Windows 8.1 and later answer per monitor (GetDpiForMonitor) and
// Windows 10 1607 and later size frames per DPI (AdjustWindowRectExForDpi); both are
// looked up at run time from System32, and older systems get the system DPI and frame.
// An author's render at a chosen scale, and a test (Wine answers with the system DPI only),
// set the DPI every monitor reports.
#pragma once

#include <windows.h>

namespace ZYR {

class CMonitorDpi {
public:
    // The vertical DPI of the monitor (its effective DPI).
    static int Of(HMONITOR monitor);
    // The DPI of the primary monitor, where a window centred on the work area appears.
    static int OfPrimary();
    // The window rectangle for that client rectangle of `window`, its frame as Windows
    // draws it there: at the window's own DPI where the system has one per window.
    static RECT Frame(const RECT& client, DWORD style, DWORD exStyle, HWND window);
    // What every monitor reports from now on; 0 gives the system's answers back.
    static void Assume(int dpi) noexcept;
};

} // namespace ZYR
