// AccessibleSource.h
// Holds ZYR::IAccessibleSource, what a control that answers a screen reader itself tells its
// accessible object, and ZYR::CAccessibleFacts, the answers it gives, asked anew at each
// question so that they follow the control.
#pragma once

#include "UnicodeString.h"

namespace ZYR {

struct CAccessibleFacts {
    TObj::CUnicodeString name;
    TObj::CUnicodeString description;   // empty: none
    TObj::CUnicodeString defaultAction; // empty: none, and the action is refused
    long role = 0;                      // ROLE_SYSTEM_...
    bool focusable = false;
    bool hot = false; // under the pointer
    bool unavailable = false;
};

class IAccessibleSource {
public:
    virtual CAccessibleFacts AccessibleFacts() const = 0;
    // Called from the client's request: starts the action without waiting for it.
    virtual void StartDefaultAction() = 0;

protected:
    ~IAccessibleSource() = default;
};

} // namespace ZYR
