// A watching launcher's answer to a save, measured side by side with a plain start of the
// same disc: a page of 100 commands is written into the disc's folder; each plain start runs
// from CreateProcess to the page on the screen, and each save from the write to the page
// on the screen with its new title and colour. Prints the medians and their ratio.
//   WatchBench <runs> <folder holding Autorun.exe>
#include "BenchPrograms.h"
#include "Quantile.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kCommands = 100;

// The page: its title, and every command of one colour (BBGGRR).
void WritePage(const std::wstring& folder, int save, const char* colour)
{
    std::string page = "[Main]\r\nBackgroundSize=[640, 1200]\r\nBackgroundColor=FFFFFF\r\nTitle=Bench " +
                       std::to_string(save) + "\r\nFontSize=8\r\n";
    for (int n = 1; n <= kCommands; ++n) {
        const std::string key = "Command" + std::to_string(n) + "_";
        page += key + "Text=Command " + std::to_string(n) + "\r\n" + key + "Rect=[" + std::to_string(10 + n % 2 * 300) +
                ", " + std::to_string(10 + n / 2 * 22) + ", " + std::to_string(300 + n % 2 * 300) + ", " +
                std::to_string(30 + n / 2 * 22) + "]\r\n" + key + "Action=$Exit\r\n" + key +
                "BackgroundColor=" + colour + "\r\n";
    }
    const HANDLE file =
        CreateFileW((folder + L"\\Autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, page.data(), static_cast<DWORD>(page.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    if (count != 3) {
        std::fprintf(stderr, "usage: WatchBench runs folder\n");
        return 2;
    }
    const int runs = _wtoi(arguments[1]);
    const std::wstring folder = arguments[2];
    const std::wstring exe = folder + L"\\Autorun.exe";
    // Inside the first command.
    const int x = 400, y = 20;
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    std::vector<double> starts, saves;
    for (int run = 0; run <= runs; ++run) { // the first run warms up and is not counted
        WritePage(folder, 0, "0000FF");
        PROCESS_INFORMATION process{};
        const double start = StartProgram(exe, L"", process);
        if (start < 0)
            return 1;
        const double seen = WaitForColour(L"Bench 0", x, y, red);
        EndProgram(process);
        if (seen < 0) {
            std::fprintf(stderr, "no plain start\n");
            return 1;
        }
        if (run > 0)
            starts.push_back(seen - start);
    }
    PROCESS_INFORMATION watching{};
    if (StartProgram(exe, L"--watch", watching) < 0)
        return 1;
    if (WaitForColour(L"Bench 0 (watching for changes)", x, y, red) < 0) {
        std::fprintf(stderr, "no watching start\n");
        EndProgram(watching);
        return 1;
    }
    for (int save = 1; save <= runs; ++save) {
        // Apart by more than the time writes need to settle, so that each save is one change.
        Sleep(400);
        const double start = NowMilliseconds();
        WritePage(folder, save, save % 2 == 0 ? "0000FF" : "FF0000");
        const double seen = WaitForColour(L"Bench " + std::to_wstring(save) + L" (watching for changes)", x, y,
                                          save % 2 == 0 ? red : blue);
        if (seen < 0) {
            std::fprintf(stderr, "save %d did not show\n", save);
            EndProgram(watching);
            return 1;
        }
        saves.push_back(seen - start);
    }
    EndProgram(watching);
    const double save = Quantile(saves, 0.5), start = Quantile(starts, 0.5);
    std::printf("watch_save_ms=%.1f\nwatch_start_ms=%.1f\nwatch_ratio=%.2f\n", save, start, save / start);
    return 0;
}
