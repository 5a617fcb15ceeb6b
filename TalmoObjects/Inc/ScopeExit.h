// ScopeExit.h
// Holds TObj::CScopeExit, which runs one action when its scope ends by any way out, a
// throw included, and TObj::OnScopeExit, which makes one from a lambda:
//     const auto restore = TObj::OnScopeExit([&] { depth--; });
// and TObj::RunWithLockGivenBack, which runs work with a held lock given back.
#pragma once

#include <utility>

namespace TObj {

template <class FAction>
class CScopeExit {
public:
    explicit CScopeExit(FAction action) : m_action(std::move(action)) {}
    CScopeExit(CScopeExit&& other) : m_action(std::move(other.m_action)), m_armed(other.m_armed)
    {
        other.m_armed = false;
    }
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;
    CScopeExit& operator=(CScopeExit&&) = delete;
    ~CScopeExit()
    {
        if (m_armed)
            m_action();
    }

    // Runs the action now instead of at the end of the scope, once.
    void RunNow()
    {
        if (m_armed) {
            m_armed = false;
            m_action();
        }
    }

private:
    FAction m_action;
    bool m_armed = true;
};

template <class FAction>
CScopeExit<FAction> OnScopeExit(FAction action)
{
    return CScopeExit<FAction>(std::move(action));
}

// Gives a held lock back once, runs the work, and takes the lock again however the work ends.
template <class TLock, class FWork>
void RunWithLockGivenBack(TLock& lock, FWork&& work)
{
    lock.unlock();
    const auto retake = OnScopeExit([&lock] { lock.lock(); });
    work();
}

} // namespace TObj
