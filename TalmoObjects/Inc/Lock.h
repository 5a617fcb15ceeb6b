// Lock.h
// Holds CLock, the libraries' mutual exclusion for std::lock_guard and std::unique_lock.
// On Windows it is a slim reader/writer lock taken exclusively: it needs no run-time thread
// library, and it is constant-initialised, so a static one needs no guard and cannot be
// used before it is made. Elsewhere it is the standard mutex.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

namespace TObj {

class CLock {
public:
    constexpr CLock() noexcept = default;
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

#ifdef _WIN32
    void lock() noexcept { AcquireSRWLockExclusive(&m_lock); }
    void unlock() noexcept { ReleaseSRWLockExclusive(&m_lock); }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
#else
    void lock() { m_lock.lock(); }
    void unlock() noexcept { m_lock.unlock(); }

private:
    std::mutex m_lock;
#endif
};

} // namespace TObj
