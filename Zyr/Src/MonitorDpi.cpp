#include "MonitorDpi.h"

#include "GdiGlobals.h"
#include "SystemLibrary.h"
#include "Window.h"

namespace ZYR {

namespace {

int g_assumedDpi = 0;

// MONITOR_DPI_TYPE's MDT_EFFECTIVE_DPI.
constexpr int kEffectiveDpi = 0;
using FGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using FGetDpiForWindow = UINT(WINAPI*)(HWND);
using FAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

} // namespace

int CMonitorDpi::Of(HMONITOR monitor)
{
    if (g_assumedDpi != 0)
        return g_assumedDpi;
    static const auto getDpi = TObj::SystemFunctionAs<FGetDpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpi != nullptr && monitor != nullptr && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return GetScreenDpiY();
}

int CMonitorDpi::OfPrimary() { return Of(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

RECT CMonitorDpi::Frame(const RECT& client, DWORD style, DWORD exStyle, HWND window)
{
    static const auto windowDpi = TObj::SystemFunctionAs<FGetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    static const auto adjust =
        TObj::SystemFunctionAs<FAdjustWindowRectExForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    const UINT dpi = windowDpi != nullptr && window != nullptr ? windowDpi(window) : 0;
    RECT frame = client;
    if (dpi != 0 && adjust != nullptr && adjust(&frame, style, FALSE, exStyle, dpi))
        return frame;
    return AdjustWindowRectEx(client, style, false, exStyle);
}

void CMonitorDpi::Assume(int dpi) noexcept { g_assumedDpi = dpi; }

} // namespace ZYR
