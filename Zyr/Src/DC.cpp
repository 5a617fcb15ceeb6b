#include "DC.h"

#include "Errors.h"
#include "ReportPlaces.h"
#include "ZyrFailure.h"

namespace ZYR {

CMemoryDC::CMemoryDC(HDC reference) : m_dc(CreateCompatibleDC(reference))
{
    ZYR_CHECK(!m_dc.IsEmpty(), Places::kCMemoryDC);
}

CBitmapDC::CBitmapDC(HBITMAP bitmap, HDC reference) : CMemoryDC(reference)
{
    if (!TOBJ_ASSERT(bitmap != nullptr, Places::kBitmapDCWithoutBitmap) || Get() == nullptr)
        return;
    m_previous = SelectObject(Get(), bitmap);
    if (m_previous == nullptr)
        OutputDebugStringW(L"ZYR Warning: CBitmapDC::CBitmapDC SelectObject returns 0\n");
}

CBitmapDC::~CBitmapDC()
{
    if (Get() != nullptr && m_previous != nullptr)
        SelectObject(Get(), m_previous);
}

CWindowDC::CWindowDC(HWND window) : m_dc({window, GetDC(window)}) { ZYR_CHECK(!m_dc.IsEmpty(), Places::kCWindowDC); }

CPaintDC::CPaintDC(HWND window)
{
    if (!TOBJ_ASSERT(window != nullptr, Places::kPaintDCWithoutWindow))
        return;
    CPaintHandle handle{window, {}};
    if (BeginPaint(window, &handle.paint) != nullptr)
        m_paint.Reset(handle);
    ZYR_CHECK(!m_paint.IsEmpty(), Places::kCPaintDC);
}

void CSelectObjectGuard::Restore() noexcept
{
    if (!m_restored && m_previous != nullptr)
        SelectObject(m_dc, m_previous);
    m_restored = true;
}

} // namespace ZYR
