#include "Deadline.h"
#include "Lock.h"
#include "RecursiveLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Another thread asks for the lock while this one holds it; answers whether it got it
// within a short wait (it should not), and lets it finish once the lock is free.
template <class TLock>
class CContender {
public:
    explicit CContender(TLock& lock)
        : m_got(std::make_shared<std::atomic<bool>>(false)), m_thread([got = m_got, &lock] {
              const std::lock_guard<TLock> guard(lock);
              *got = true;
          })
    {}
    // A thread that never got the lock is left behind rather than waited for.
    ~CContender()
    {
        if (*m_got)
            m_thread.join();
        else
            m_thread.detach();
    }
    bool GotItWithin(DWORD milliseconds)
    {
        Sleep(milliseconds);
        return *m_got;
    }
    bool GetsIt()
    {
        return TestSupport::WaitUntil([this] { return m_got->load(); }, "the other thread to get the lock");
    }

private:
    std::shared_ptr<std::atomic<bool>> m_got;
    std::thread m_thread;
};

} // namespace

// A lock taken twice by its holder is free for others only when given back twice.
TEST(Locks, RecursiveLockIsFreeAfterTheLastGiveBack)
{
    static TObj::CRecursiveLock lock;
    lock.lock();
    lock.lock();
    CContender<TObj::CRecursiveLock> other(lock);
    lock.unlock();
    EXPECT_FALSE(other.GotItWithin(100)) << "the lock was free after one of two give-backs";
    lock.unlock();
    EXPECT_TRUE(other.GetsIt());
}

TEST(Locks, LockKeepsOthersOutUntilGivenBack)
{
    static TObj::CLock lock;
    lock.lock();
    CContender<TObj::CLock> other(lock);
    EXPECT_FALSE(other.GotItWithin(100));
    lock.unlock();
    EXPECT_TRUE(other.GetsIt());
}
