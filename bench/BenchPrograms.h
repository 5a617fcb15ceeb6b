// BenchPrograms.h
// Holds what the benchmarks that time whole programs share:
//  - NowMilliseconds, the clock they time with;
//  - StartProgram and EndProgram, a program run in its own folder and ended;
//  - WaitForColour, the wait for a window to show a colour at a point of its client area.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

inline double NowMilliseconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts `exe` with `arguments` in the exe's folder. Answers the time just before the start
// that succeeded: Wine now and then refuses to start a program just copied, so a refusal is
// tried again twice; after the third, says so with the error code and answers -1.
inline double StartProgram(const std::wstring& exe, const std::wstring& arguments, PROCESS_INFORMATION& process)
{
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    for (int attempt = 0;; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        const double start = NowMilliseconds();
        if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process))
            return start;
        if (attempt == 2) {
            std::fprintf(stderr, "%ls did not start: error %lu\n", exe.c_str(), GetLastError());
            return -1;
        }
        Sleep(200);
    }
}

inline void EndProgram(PROCESS_INFORMATION& process)
{
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// Polls until a visible window of that title shows `colour` at (x, y) of its client area.
// Answers the time the poll that saw it began, or -1 after 30 s.
inline double WaitForColour(const std::wstring& title, int x, int y, COLORREF colour)
{
    const double start = NowMilliseconds();
    for (;;) {
        const double now = NowMilliseconds();
        const HWND window = FindWindowW(nullptr, title.c_str());
        if (window != nullptr && IsWindowVisible(window)) {
            POINT point{x, y};
            ClientToScreen(window, &point);
            const HDC screen = GetDC(nullptr);
            const COLORREF shown = GetPixel(screen, point.x, point.y);
            ReleaseDC(nullptr, screen);
            if (shown == colour)
                return now;
        }
        if (now - start > 30000)
            return -1;
        Sleep(0);
    }
}
