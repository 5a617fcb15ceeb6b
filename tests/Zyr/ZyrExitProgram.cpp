// A small program for the exit-code tests: runs an application whose behaviour the first
// argument chooses, and writes what it reports to standard output.
#include "Errors.h"
#include "FrameWindow.h"
#include "MessageHandler.h"
#include "WinApp.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

TOBJ_MESSAGE(ERR_AR_FILE_NOT_FOUND);

std::wstring g_mode;
constexpr UINT kThrowNow = WM_USER + 50;

// Made before the library's own objects and so gone after them: a message it shows at the
// very end finds every message handler gone.
struct CLateMessage {
    bool wanted = false; // not the mode's text, which is gone by then
    ~CLateMessage()
    {
        if (wanted)
            TObj::ShowMessage(TObj::CUnicodeString(u"A late word."), 0);
    }
};
__attribute__((init_priority(101))) CLateMessage g_lateMessage;

class CProgramWindow : public ZYR::CFrameWindow {
    ZYR_DECLARE_MESSAGE_MAP()

public:
    LRESULT OnThrowNow(WPARAM, LPARAM)
    {
        if (g_mode == L"handler-breaks-a-container-rule")
            return std::vector<LRESULT>(2).at(g_mode.size());
        TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, TObj::CUnicodeString(u"handler.ini"));
        return 0;
    }
};

ZYR_BEGIN_MESSAGE_MAP(CProgramWindow, ZYR::CFrameWindow)
    ZYR_ON_MESSAGE(kThrowNow, OnThrowNow)
ZYR_END_MESSAGE_MAP(ZYR::CFrameWindow)

class CProgramApp : public ZYR::CWinApp {
public:
    bool InitInstance() override
    {
        if (g_mode == L"init-throws")
            TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, TObj::CUnicodeString(u"D:\\Autorun.inf"));
        if (g_mode == L"init-false")
            return false;
        m_window.Create(nullptr, RECT{0, 0, 200, 100}, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr,
                        reinterpret_cast<HBRUSH>(-1));
        if (g_mode == L"handler-throws" || g_mode == L"handler-breaks-a-container-rule" || g_mode == L"late-message")
            PostMessageW(m_window.Handle(), kThrowNow, 0, 0);
        if (g_mode.rfind(L"quit:", 0) == 0)
            ZYR::QuitRequest(std::stoi(g_mode.substr(5)));
        else
            PostMessageW(m_window.Handle(), WM_CLOSE, 0, 0);
        return true;
    }
    void ExitInstance() override
    {
        if (g_mode == L"exit-throws")
            TObj::ThrowCheckError(ERR_AR_FILE_NOT_FOUND, TObj::CUnicodeString(u"exit.ini"));
    }

private:
    CProgramWindow m_window;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    g_mode = commandLine;
    g_lateMessage.wanted = g_mode == L"late-message";
    CProgramApp app;
    return ZYR::RunApplication();
}
