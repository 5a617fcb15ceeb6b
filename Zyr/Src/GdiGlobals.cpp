#include "GdiGlobals.h"

#include "Bitmap.h"
#include "Brush.h"
#include "DC.h"
#include "ReportPlaces.h"
#include "SystemLibrary.h"
#include "ZyrFailure.h"

#include <algorithm>
#include <cmath>

namespace ZYR {

void StretchBitmap(HBITMAP bitmap, HDC dc, const RECT& target, const RECT& source, int mode)
{
    CBitmapDC memory(bitmap, dc);
    const LONG width = target.right - target.left, height = target.bottom - target.top;
    // A picture drawn at its own size is copied: the same pixels, without the stretch.
    if (width == source.right - source.left && height == source.bottom - source.top) {
        BitBlt(dc, target.left, target.top, width, height, memory.Get(), source.left, source.top, kPictureCopy);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, mode);
#ifdef __i386__
    // Wine stretches in single-precision floats, which the x87 unit of a 32-bit process
    // holds at more precision unless told otherwise: its pictures then differed from the
    // 64-bit launcher's by a colour level. The unit's precision control (bits 8 and 9 of
    // its control word, 0 for 24 bits) is set for the stretch alone; Windows stretches in
    // the kernel, which this thread's setting does not reach.
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    const unsigned short single = static_cast<unsigned short>(control & ~0x0300u);
    __asm__ volatile("fldcw %0" : : "m"(single));
#endif
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, memory.Get(),
               source.left, source.top, source.right - source.left, source.bottom - source.top, kPictureCopy);
#ifdef __i386__
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
    SetStretchBltMode(dc, oldMode);
}

void StretchBitmap(HBITMAP bitmap, HDC dc, const RECT& target, int mode)
{
    BITMAP info{};
    ZYR_CHECK(::GetObjectW(bitmap, sizeof info, &info) != 0, Places::kGetBitmap);
    StretchBitmap(bitmap, dc, target, RECT{0, 0, info.bmWidth, std::abs(info.bmHeight)}, mode);
}

void DrawPicture(const CBitmap& picture, HDC dc, const RECT& target, int mode)
{
    // AlphaBlend's library is loaded from System32 at the first picture with alpha.
    using FAlphaBlend = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    const auto alphaBlend = [] {
        static const auto function = TObj::SystemFunctionAs<FAlphaBlend>(L"msimg32.dll", "AlphaBlend");
        return function;
    };
    if (!picture.HasAlpha() || alphaBlend() == nullptr) {
        StretchBitmap(picture.Get(), dc, target, mode);
        return;
    }
    const SIZE size = picture.Size();
    CBitmapDC memory(picture.Get(), dc);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // AlphaBlend takes no raster operation: the context itself is told to keep the orientation.
    const DWORD layout = GetLayout(dc);
    if ((layout & LAYOUT_RTL) != 0)
        SetLayout(dc, layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
    alphaBlend()(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, memory.Get(), 0,
                 0, size.cx, size.cy, blend);
    if ((layout & LAYOUT_RTL) != 0)
        SetLayout(dc, layout);
}

void FrameInColour(HDC dc, RECT rect, COLORREF colour, int rings)
{
    CBrush brush;
    brush.CreateSolidBrush(colour);
    for (int ring = 0; ring < rings; ++ring) {
        FrameRect(dc, &rect, brush.Get());
        InflateRect(&rect, 1, 1);
    }
}

UINT TextReadingOrder(HDC dc) { return (GetLayout(dc) & LAYOUT_RTL) != 0 ? DT_RTLREADING : 0; }

int SlantCorrection(int italicAngle, int ascent, int internalLeading, int overhang)
{
    int tenths =
        static_cast<int>(std::tan(italicAngle * 3.14159265358979323846 / 1800.0) * (ascent - internalLeading) * 10);
    tenths += tenths > 0 ? 5 : -5;
    return overhang - tenths / 10;
}

SIZE GetTextExtent(HDC dc, const TObj::CUnicodeString& text)
{
    SIZE size{};
    ZYR_CHECK(GetTextExtentPoint32W(dc, text.W(), text.Length(), &size) != 0, Places::kGetTextExtentPoint32W);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    size.cy += metrics.tmExternalLeading;
    alignas(8) unsigned char buffer[sizeof(OUTLINETEXTMETRICA)] = {0};
    const auto* outline = reinterpret_cast<const OUTLINETEXTMETRICA*>(buffer);
    const int angle = GetOutlineTextMetricsA(dc, sizeof buffer, reinterpret_cast<OUTLINETEXTMETRICA*>(buffer)) != 0
                          ? outline->otmItalicAngle
                          : 0;
    size.cx += angle == 0 ? metrics.tmOverhang
                          : SlantCorrection(angle, metrics.tmAscent, metrics.tmInternalLeading, metrics.tmOverhang);
    return size;
}

int GetScreenDpiY()
{
    const CWindowDC screen(nullptr);
    return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

std::vector<HWND> ChildrenBottomUp(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    std::reverse(children.begin(), children.end());
    return children;
}

void PrintChildren(HWND window, HDC canvas, const std::vector<HWND>& bottomUp, HRGN within)
{
    WINDOWINFO parent{};
    parent.cbSize = sizeof parent;
    GetWindowInfo(window, &parent);
    for (const HWND child : bottomUp) {
        if (!IsWindowVisible(child))
            continue;
        if (within != nullptr) {
            // In the window's own client coordinates, mirrored as its region is.
            RECT area{};
            GetClientRect(child, &area);
            MapWindowPoints(child, window, reinterpret_cast<POINT*>(&area), 2);
            const RECT ordered{std::min(area.left, area.right), area.top, std::max(area.left, area.right), area.bottom};
            if (!RectInRegion(within, &ordered))
                continue;
        }
        RECT placed{};
        GetWindowRect(child, &placed);
        OffsetRect(&placed, -parent.rcClient.left, -parent.rcClient.top);
        const auto print = [](HDC dc, void* printed) {
            SendMessageW(static_cast<HWND>(printed), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        };
        PrintInPlace(canvas, placed, (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, print, child);
    }
}

void PrintInPlace(HDC canvas, const RECT& placed, bool mirrored, void (*draw)(HDC dc, void* child), void* child)
{
    const int x = placed.left, y = placed.top;
    const int width = placed.right - placed.left, height = placed.bottom - placed.top;
    if (!mirrored) {
        const int saved = SaveDC(canvas);
        SetViewportOrgEx(canvas, x, y, nullptr);
        IntersectClipRect(canvas, 0, 0, width, height);
        draw(canvas, child);
        RestoreDC(canvas, saved);
        return;
    }
    // A mirrored context mirrors about its bitmap's width: a right-to-left child draws
    // into a piece of its own size, copied into its place pixel for pixel.
    CBitmap piece;
    piece.CreateDIBSection(std::max(width, 1), std::max(height, 1));
    CMemoryDC pieceDC(canvas);
    CSelectObjectGuard selectPiece(pieceDC.Get(), piece.Handle());
    BitBlt(pieceDC.Get(), 0, 0, width, height, canvas, x, y, SRCCOPY);
    SetLayout(pieceDC.Get(), LAYOUT_RTL);
    draw(pieceDC.Get(), child);
    SetLayout(pieceDC.Get(), 0);
    BitBlt(canvas, x, y, width, height, pieceDC.Get(), 0, 0, SRCCOPY);
}

} // namespace ZYR
