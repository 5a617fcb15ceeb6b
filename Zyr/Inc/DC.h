// DC.h
// Holds the device-context owners: ZYR::CDC (a handle, deleted with DeleteDC), CMemoryDC
// (compatible with another context), CBitmapDC (a memory context with a bitmap selected),
// CWindowDC (a window's context, released) and CPaintDC (BeginPaint ... EndPaint); and
// CSelectObjectGuard, which selects an object and puts the previous one back once.
#pragma once

#include <windows.h>

namespace ZYR {

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();
    HDC Get() const noexcept { return m_dc; }

protected:
    HDC m_dc = nullptr; // owned; how it is given back depends on the class
};

class CMemoryDC : public CDC {
public:
    // Compatible with `reference`, or with the screen for null.
    explicit CMemoryDC(HDC reference);
};

class CBitmapDC : public CMemoryDC {
public:
    CBitmapDC(HBITMAP bitmap, HDC reference);
    ~CBitmapDC() override;

private:
    HGDIOBJ m_previous = nullptr; // not owned: handed back to the context
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND window); // GetDC: the client area; null for the screen
    ~CWindowDC() override;

private:
    HWND m_window; // not owned
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC() override;
    const PAINTSTRUCT& Paint() const noexcept { return m_paint; }

private:
    HWND m_window; // not owned
    PAINTSTRUCT m_paint{};
};

class CSelectObjectGuard {
public:
    CSelectObjectGuard(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~CSelectObjectGuard() { Restore(); }
    CSelectObjectGuard(const CSelectObjectGuard&) = delete;
    CSelectObjectGuard& operator=(const CSelectObjectGuard&) = delete;
    void Restore() noexcept;

private:
    HDC m_dc;            // not owned
    HGDIOBJ m_previous;  // not owned
    bool m_restored = false;
};

} // namespace ZYR
