// DC.h
// Holds the device-context owners: ZYR::CMemoryDC (compatible with another context,
// deleted with DeleteDC), CBitmapDC (a memory context with a bitmap selected), CWindowDC
// (a window's context, released) and CPaintDC (BeginPaint ... EndPaint), each over the
// traits that say how its context is given back; and CSelectObjectGuard, which selects
// an object and puts the previous one back once.
#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace ZYR {

struct CMemoryDCTraits {
    using Handle = HDC;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle dc) noexcept { DeleteDC(dc); }
};

class CMemoryDC {
public:
    // Compatible with `reference`, or with the screen for null.
    explicit CMemoryDC(HDC reference);
    HDC Get() const noexcept { return m_dc.Get(); }

private:
    TObj::CUniqueHandle<CMemoryDCTraits> m_dc;
};

class CBitmapDC : public CMemoryDC {
public:
    CBitmapDC(HBITMAP bitmap, HDC reference);
    ~CBitmapDC();
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;

private:
    HGDIOBJ m_previous = nullptr; // not owned: handed back to the context
};

// A window's context with the window it came from: ReleaseDC needs both.
struct CWindowDCHandle {
    HWND window;
    HDC dc;
    bool operator==(const CWindowDCHandle& other) const noexcept { return dc == other.dc; }
};

struct CWindowDCTraits {
    using Handle = CWindowDCHandle;
    static Handle Empty() noexcept { return {nullptr, nullptr}; }
    static void Close(Handle handle) noexcept { ReleaseDC(handle.window, handle.dc); }
};

class CWindowDC {
public:
    explicit CWindowDC(HWND window); // GetDC: the client area; null for the screen
    HDC Get() const noexcept { return m_dc.Get().dc; }

private:
    TObj::CUniqueHandle<CWindowDCTraits> m_dc;
};

// What BeginPaint hands out: EndPaint takes it back whole.
struct CPaintHandle {
    HWND window;
    PAINTSTRUCT paint;
    bool operator==(const CPaintHandle& other) const noexcept { return window == other.window; }
};

struct CPaintTraits {
    using Handle = CPaintHandle;
    static Handle Empty() noexcept { return {nullptr, {}}; }
    static void Close(Handle handle) noexcept { EndPaint(handle.window, &handle.paint); }
};

class CPaintDC {
public:
    explicit CPaintDC(HWND window);
    HDC Get() const noexcept { return m_paint.Get().paint.hdc; }

private:
    TObj::CUniqueHandle<CPaintTraits> m_paint;
};

class CSelectObjectGuard {
public:
    CSelectObjectGuard(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~CSelectObjectGuard() { Restore(); }
    CSelectObjectGuard(const CSelectObjectGuard&) = delete;
    CSelectObjectGuard& operator=(const CSelectObjectGuard&) = delete;
    void Restore() noexcept;

private:
    HDC m_dc;           // not owned
    HGDIOBJ m_previous; // not owned
    bool m_restored = false;
};

} // namespace ZYR
