// GdiObject.h
// Holds ZYR::CGdiObject, the move-only owner of one GDI object handle, deleted by its
// destructor; the one way its kinds make their object; and the counts of live owned
// handles and of objects made, which tests read.
#pragma once

#include "UniqueHandle.h"
#include "ZyrFailure.h"

#include <windows.h>

namespace ZYR {

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(CGdiObject&&) noexcept = default;
    CGdiObject& operator=(CGdiObject&&) noexcept = default;
    virtual ~CGdiObject() = default;

    HGDIOBJ Handle() const noexcept { return m_handle.Get(); }
    bool IsEmpty() const noexcept { return m_handle.IsEmpty(); }
    void Delete() noexcept { m_handle.Reset(); }

    // Live handles owned by wrappers in this process.
    static long LiveHandlesForTesting() noexcept;
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
        if (MakeInto(make))
            return true;
        ReportFailedCall(place);
        return false;
    }
    // The same, where a null result is an answer rather than a failure: false then.
    template <class FMake>
    bool TryCreate(FMake&& make)
    {
        return RequireEmpty() && MakeInto(make);
    }
    // Asserts that the wrapper is empty.
    bool RequireEmpty() const;
    void Attach(HGDIOBJ handle) noexcept;

private:
    // Private, so that every owned object is counted by Attach as it comes and by Close
    // as it goes.
    struct CTraits {
        using Handle = HGDIOBJ;
        static Handle Empty() noexcept { return nullptr; }
        // System-colour brushes (handle values 1 to 31) are indices, not objects to delete.
        static bool IsDeletable(Handle handle) noexcept { return reinterpret_cast<ULONG_PTR>(handle) > 31; }
        static void Close(Handle handle) noexcept;
    };

    template <class FMake>
    bool MakeInto(FMake& make)
    {
        const HGDIOBJ handle = make();
        CountMade();
        if (handle == nullptr)
            return false;
        Attach(handle);
        return true;
    }
    static void CountMade() noexcept;

    TObj::CUniqueHandle<CTraits> m_handle;
};

} // namespace ZYR
