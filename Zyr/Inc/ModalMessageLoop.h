// ModalMessageLoop.h
// Holds ZYR::CModalMessageLoop, the loop a modal window runs nested inside the program's
// loop: idle processing goes on while it runs, a quit ends it and is passed on to the
// enclosing loop, and it ends when its window sets the end flag.
#pragma once

#include "MessageLoop.h"

namespace ZYR {

class CWindow;

class CModalMessageLoop : public CMessageLoop {
public:
    enum EFlags : unsigned {
        kIdle = 1,             // idle processing while the loop runs
        kShowAtFirstIdle = 2,  // show and update the modal window at the first idle pass
        kEnterIdleToOwner = 4, // WM_ENTERIDLE to the modal window's top-level owner at idle
        kWindowSeesFirst = 8,  // the modal window's PreTranslateModal sees each message first
        kEnd = 16,             // the loop ends after the message being handled
    };

    // Starting with kEnd set is an internal error.
    CModalMessageLoop(CWindow* modal, unsigned flags);

    // Runs until End; a window that is not live is an internal error and the loop does not
    // run, since nothing could end it.
    void Run() override;
    void End() noexcept { m_flags |= kEnd; }
    // Whether the last message the loop got was WM_QUIT.
    bool EndedByQuit() const noexcept { return m_message.message == WM_QUIT; }

    bool PreTranslateMessage(MSG& message) override;
    bool IsIdleMessage(const MSG& message) override;
    bool OnIdle(int count) override;
    bool ContinueLoop() override { return (m_flags & kEnd) == 0; }

private:
    CWindow* m_modal; // not owned
    unsigned m_flags;
};

} // namespace ZYR
