// GdiObject.h
// Holds ZYR::CGdiObject, the move-only owner of one GDI object handle, deleted by its
// destructor, and the count of live owned handles that leak tests read.
#pragma once

#include <windows.h>

namespace ZYR {

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    virtual ~CGdiObject() { Delete(); }

    HGDIOBJ Handle() const noexcept { return m_handle; }
    bool IsEmpty() const noexcept { return m_handle == nullptr; }
    void Delete() noexcept;

    // Live handles owned by wrappers in this process.
    static long LiveHandles() noexcept;

protected:
    // Asserts that the wrapper is empty; call before making the object, so that a refused
    // creation never leaves an object without owner.
    bool RequireEmpty() const;
    void Attach(HGDIOBJ handle) noexcept;
    // System-colour brushes (handle values 1 to 31) are indices, not objects to delete.
    static bool IsDeletable(HGDIOBJ handle) noexcept { return reinterpret_cast<ULONG_PTR>(handle) > 31; }

private:
    HGDIOBJ m_handle = nullptr; // owned
};

} // namespace ZYR
