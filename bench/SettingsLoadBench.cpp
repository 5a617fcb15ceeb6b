// Loads generated page files with 10, 1,000 and 10,000 commands and prints the time per
// command of each, measured side by side in one run, with the ratio to the 1,000 case.
#include "BenchPages.h"
#include "Settings.h"
#include "errors.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring MakeDisc(int commands)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"autorun-bench-" + std::to_wstring(commands) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string text = BenchPageText(commands);
    const HANDLE file = CreateFileW((folder + L"Autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return folder;
}

double SecondsToLoad(const std::wstring& folder)
{
    CLoadEnvironment environment;
    environment.commandLine = TObj::CUnicodeString(u"Autorun.exe");
    environment.launcherFolder = TObj::CUnicodeString(folder.c_str());
    environment.isLanguageInstalled = [](int) { return true; };
    const auto start = std::chrono::steady_clock::now();
    CSettings settings;
    settings.Load(environment);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main()
{
    const int sizes[] = {10, 1000, 10000};
    std::vector<std::wstring> folders;
    for (const int size : sizes)
        folders.push_back(MakeDisc(size));
    // Alternating rounds, so that noise spreads over all sizes alike; the median counts.
    const int rounds = 15;
    std::vector<double> perCommand[3];
    try {
        for (int round = 0; round < rounds; ++round)
            for (int i = 0; i < 3; ++i)
                perCommand[i].push_back(SecondsToLoad(folders[static_cast<std::size_t>(i)]) / sizes[i]);
    } catch (TObj::CException* e) {
        std::printf("load failed: %s\n", e->GetMessageText().ToUtf8().c_str());
        delete e;
        return 1;
    }
    double medians[3];
    for (int i = 0; i < 3; ++i) {
        std::sort(perCommand[i].begin(), perCommand[i].end());
        medians[i] = perCommand[i][rounds / 2];
    }
    std::printf("%-10s %-18s %s\n", "commands", "us per command", "ratio to 1,000");
    for (int i = 0; i < 3; ++i)
        std::printf("%-10d %-18.2f %.2f\n", sizes[i], medians[i] * 1e6, medians[i] / medians[1]);
    return 0;
}
