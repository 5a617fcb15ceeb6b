#include "Deadline.h"

#include "Window.h"

#include <gtest/gtest.h>

namespace TestSupport {

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ZYR::CWindow* window = message.hwnd != nullptr ? ZYR::CWindow::FromHandle(message.hwnd) : nullptr;
        if (window != nullptr && window->PreTranslateMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, const std::string& what, DWORD milliseconds, bool pump)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (pump)
            PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds) {
            ADD_FAILURE() << "gave up after " << milliseconds / 1000 << " s waiting for " << what;
            return false;
        }
        if (pump)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        else
            Sleep(20);
    }
}

LRESULT SendWithDeadline(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kPatience, &result) == 0 &&
        GetLastError() == ERROR_TIMEOUT)
        ADD_FAILURE() << "gave up after " << kPatience / 1000 << " s waiting for the answer to message " << message;
    return static_cast<LRESULT>(result);
}

CModalDeadline::CModalDeadline(std::string what, DWORD milliseconds)
    : m_what(std::move(what)), m_milliseconds(milliseconds), m_thread(GetCurrentThreadId()),
      m_ended(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_watch = std::thread([this] {
        if (WaitForSingleObject(m_ended.Get(), m_milliseconds) == WAIT_TIMEOUT) {
            m_expired = true;
            PostThreadMessageW(m_thread, WM_QUIT, 0, 0);
        }
    });
}

CModalDeadline::~CModalDeadline()
{
    SetEvent(m_ended.Get());
    m_watch.join();
    if (m_expired) {
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        ADD_FAILURE() << m_what << " still ran after " << m_milliseconds / 1000 << " s; it was ended";
    }
}

} // namespace TestSupport
