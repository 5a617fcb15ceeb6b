// ImagingFactory.h
// Holds what the picture decoder and encoder share of the Windows Imaging Component:
// CComPointer, the owner of one COM reference, and MakeFactory, the component's factory
// made through COM loaded from System32 at the first call.
#pragma once

#include <windows.h>

#include <wincodec.h>

namespace ZYR {

// Releases a COM interface at the end of its scope.
template <class T>
class CComPointer {
public:
    CComPointer() = default;
    ~CComPointer()
    {
        if (m_pointer != nullptr)
            m_pointer->Release();
    }
    CComPointer(const CComPointer&) = delete;
    CComPointer& operator=(const CComPointer&) = delete;
    T* operator->() const noexcept { return m_pointer; }
    T* Get() const noexcept { return m_pointer; }
    T** Out() noexcept { return &m_pointer; }

private:
    T* m_pointer = nullptr; // owned: one reference
};

// COM stays initialised on this thread for the rest of the process, as pictures may be
// decoded on any later page switch.
HRESULT MakeFactory(CComPointer<IWICImagingFactory>& factory);

} // namespace ZYR
