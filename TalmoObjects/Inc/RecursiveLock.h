// RecursiveLock.h
// Holds CRecursiveLock, a lock its holder may take again (each take is given back once), for
// std::lock_guard and std::unique_lock. On Windows it is a slim reader/writer lock with its
// holder's thread and depth beside it, constant-initialised like CLock; elsewhere it is the
// standard recursive mutex.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#else
#include <mutex>
#endif

namespace TObj {

class CRecursiveLock {
public:
#ifdef _WIN32
    constexpr CRecursiveLock() noexcept = default;
#else
    CRecursiveLock() = default;
#endif
    CRecursiveLock(const CRecursiveLock&) = delete;
    CRecursiveLock& operator=(const CRecursiveLock&) = delete;

#ifdef _WIN32
    void lock() noexcept
    {
        // Only this thread can have written its own identity here, so a stale read of
        // another holder's never matches it.
        const DWORD self = GetCurrentThreadId();
        if (m_holder.load(std::memory_order_relaxed) != self) {
            AcquireSRWLockExclusive(&m_lock);
            m_holder.store(self, std::memory_order_relaxed);
        }
        ++m_depth;
    }
    void unlock() noexcept
    {
        if (--m_depth == 0) {
            m_holder.store(0, std::memory_order_relaxed);
            ReleaseSRWLockExclusive(&m_lock);
        }
    }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
    std::atomic<DWORD> m_holder{0}; // 0: nobody; no thread has the identity 0
    int m_depth = 0;                // touched by the holder only
#else
    void lock() { m_lock.lock(); }
    void unlock() noexcept { m_lock.unlock(); }

private:
    std::recursive_mutex m_lock;
#endif
};

} // namespace TObj
