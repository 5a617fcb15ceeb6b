// GdiObject.h
// Holds ZYR::CGdiObject, the move-only owner of one GDI object handle, deleted by its
// destructor; the one way its kinds make their object; and the counts of live owned
// handles and of objects made, which tests read.
#pragma once

#include "ZyrFailure.h"

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
    // Objects the wrappers have made, owned or not: a creation refused before it makes one
    // leaves this unchanged.
    static long ObjectsMadeForTesting() noexcept;

protected:
    // Makes the object with `make` only when the wrapper is empty (otherwise the internal
    // error of "gdiobjectzyr" line 28), so that a refused creation never leaves an object
    // without owner; a null result follows the failure rule at `place`. True when made.
    template <class FMake>
    bool Create(FMake&& make, const CFailurePlace& place)
    {
        if (!RequireEmpty())
            return false;
        const HGDIOBJ handle = make();
        CountMade();
        if (handle == nullptr) {
            ReportFailedCall(place);
            return false;
        }
        Attach(handle);
        return true;
    }
    // Asserts that the wrapper is empty.
    bool RequireEmpty() const;
    void Attach(HGDIOBJ handle) noexcept;
    // System-colour brushes (handle values 1 to 31) are indices, not objects to delete.
    static bool IsDeletable(HGDIOBJ handle) noexcept { return reinterpret_cast<ULONG_PTR>(handle) > 31; }

private:
    static void CountMade() noexcept;

    HGDIOBJ m_handle = nullptr; // owned
};

} // namespace ZYR
