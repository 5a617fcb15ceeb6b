#include "DC.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

CDC::~CDC()
{
    if (m_dc != nullptr)
        DeleteDC(m_dc);
}

CMemoryDC::CMemoryDC(HDC reference)
{
    m_dc = CreateCompatibleDC(reference);
    ZYR_CHECK(m_dc != nullptr,Places::kCMemoryDC);
}

CBitmapDC::CBitmapDC(HBITMAP bitmap, HDC reference) : CMemoryDC(reference)
{
    if (!TOBJ_ASSERT(bitmap != nullptr, Places::kBitmapDCWithoutBitmap) || m_dc == nullptr)
        return;
    m_previous = SelectObject(m_dc, bitmap);
    if (m_previous == nullptr)
        OutputDebugStringW(L"ZYR Warning: CBitmapDC::CBitmapDC SelectObject returns 0\n");
}

CBitmapDC::~CBitmapDC()
{
    if (m_dc != nullptr && m_previous != nullptr)
        SelectObject(m_dc, m_previous);
}

CWindowDC::CWindowDC(HWND window) : m_window(window)
{
    m_dc = GetDC(window);
    ZYR_CHECK(m_dc != nullptr,Places::kCWindowDC);
}

CWindowDC::~CWindowDC()
{
    if (m_dc != nullptr)
        ReleaseDC(m_window, m_dc);
    m_dc = nullptr;
}

CPaintDC::CPaintDC(HWND window) : m_window(window)
{
    if (!TOBJ_ASSERT(window != nullptr, Places::kPaintDCWithoutWindow))
        return;
    m_dc = BeginPaint(window, &m_paint);
    ZYR_CHECK(m_dc != nullptr,Places::kCPaintDC);
}

CPaintDC::~CPaintDC()
{
    if (m_dc != nullptr)
        EndPaint(m_window, &m_paint);
    m_dc = nullptr;
}

void CSelectObjectGuard::Restore() noexcept
{
    if (!m_restored && m_previous != nullptr)
        SelectObject(m_dc, m_previous);
    m_restored = true;
}

} // namespace ZYR
