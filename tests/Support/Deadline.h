// Deadline.h
// Holds the waiting of tests, so that no test can hang: kPatience, the deadline of every
// wait for a window, a box or a process; WaitUntil, which polls a condition until then and
// fails the test with what it waited for; and CModalDeadline, which ends a modal loop of
// this thread that is still running at its deadline.
#pragma once

#include "SystemHandles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace TestSupport {

// Long enough for a machine whose cores are all busy elsewhere; it is reached only when
// something is wrong, so a test never waits this long when it passes.
constexpr DWORD kPatience = 30000;

// Handles this thread's waiting messages as the launcher's loop does: the window library's
// pre-translation (dialog navigation) sees each first.
void PumpMessages();
// Pumps this thread's messages for a while, for what should not happen.
void PumpFor(DWORD milliseconds);

// Polls `condition` (pumping this thread's messages in between when `pump` is set) until it
// holds; on the deadline the test fails with "gave up after N s waiting for <what>".
bool WaitUntil(const std::function<bool()>& condition, const std::string& what, DWORD milliseconds = kPatience,
               bool pump = false);

// SendMessageW to another thread's or process's window, given up (with a failure) after
// the deadline, so a hung receiver cannot hang the test.
LRESULT SendWithDeadline(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Watches a modal loop run on the constructing thread (a box's DoModal, an application's
// Run). Should the loop still run at the deadline, WM_QUIT is posted to the thread, which
// ends every modal loop of the libraries; the destructor then removes the quit message the
// loop passed on and fails the test naming what did not end.
class CModalDeadline {
public:
    explicit CModalDeadline(std::string what, DWORD milliseconds = 2 * kPatience);
    ~CModalDeadline();
    CModalDeadline(const CModalDeadline&) = delete;
    CModalDeadline& operator=(const CModalDeadline&) = delete;

private:
    std::string m_what;
    DWORD m_milliseconds;
    DWORD m_thread;
    TObj::CKernelHandle m_ended; // an event: the watched loop returned
    std::atomic<bool> m_expired{false};
    std::thread m_watch;
};

} // namespace TestSupport
