// ComObjects.h
// Holds what the library's users of COM share: CComPointer, the owner of one COM
// reference; InitializeComHere, COM for this thread, loaded from System32 at the first call;
// and MakeInProcessObject, an object of a system component made through it.
#pragma once

#include <windows.h>

#include <objbase.h>

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

// COM stays initialised on this thread for the rest of the process: the objects may be
// asked for again on any later page.
HRESULT InitializeComHere();
HRESULT MakeInProcessObject(REFCLSID object, REFIID face, void** out);

} // namespace ZYR
