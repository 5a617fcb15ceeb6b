// AccessibleObject.h
// Holds ZYR::CAccessibleObject, the owner of a control's accessible object: made at the first
// WM_GETOBJECT a client sends for the control's client area, kept for the next ones, and cut
// from the control when the owner goes, so that a client still holding it hears that the
// control is gone instead of reaching a destroyed one.
#pragma once

#include "AccessibleSource.h"

#include <windows.h>

namespace ZYR {

class CAccessibleControl;

class CAccessibleObject {
public:
    CAccessibleObject() = default;
    ~CAccessibleObject();
    CAccessibleObject(CAccessibleObject&& other) noexcept;
    CAccessibleObject& operator=(CAccessibleObject&& other) noexcept;
    CAccessibleObject(const CAccessibleObject&) = delete;
    CAccessibleObject& operator=(const CAccessibleObject&) = delete;

    // The answer to WM_GETOBJECT for OBJID_CLIENT; 0 where the system cannot hand the object
    // over, and the window's default answer (the system's proxy) is then left to be given.
    LRESULT Answer(HWND control, IAccessibleSource& source, WPARAM flags);

private:
    void release() noexcept;

    CAccessibleControl* m_object = nullptr; // owned: one reference
};

} // namespace ZYR
