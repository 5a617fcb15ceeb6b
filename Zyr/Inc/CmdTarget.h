// CmdTarget.h
// Holds ZYR::CCmdTarget, the root of everything that receives messages: its message map
// (the end of every chain) and the dispatch of thread messages through it.
#pragma once

#include "MessageMap.h"

namespace ZYR {

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual const CMessageMap* GetMessageMap() const { return ThisMessageMap(); }
    virtual ~CCmdTarget() = default;
    // Command routing (menus, accelerators, notifications) finds nothing in the launcher's maps.
    virtual bool OnCmdMsg(UINT, int) { return false; }
    // Calls the handler of a thread message; true when the map has one.
    virtual bool OnThreadMessage(const MSG& message);

    static const CMessageMap* ThisMessageMap();
};

} // namespace ZYR
