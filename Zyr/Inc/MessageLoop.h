// MessageLoop.h
// Holds ZYR::CMessageLoop: getting and handling messages with pre-translation, idle
// processing between bursts of messages, and quitting; every step runs inside an
// exception barrier, so a failure is reported and the loop goes on. Nested loops chain
// through their enclosing loop.
#pragma once

#include <windows.h>

namespace ZYR {

class CMessageLoop {
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop() = default;

    virtual bool PreTranslateMessage(MSG& message);
    virtual bool IsIdleMessage(const MSG& message);
    // Returns whether another idle pass is wanted.
    virtual bool OnIdle(int count);
    virtual bool ContinueLoop() { return true; }
    virtual void QuitLoop(int exitCode);

    virtual void Run();
    // Gets and handles one message; false when the loop ends.
    bool PumpMessage();

    static CMessageLoop* Innermost() noexcept;
    // The registered message sent to the frames at the first idle pass.
    static UINT IdleUpdateMessage();

protected:
    CMessageLoop* m_enclosing = nullptr; // set only while this loop runs
    MSG m_message{};

private:
    UINT m_lastMoveKind = 0;
    POINT m_lastMove{-1, -1};
};

// Ends the program with `exitCode` unless a frame refuses to close.
void QuitRequest(int exitCode);

} // namespace ZYR
