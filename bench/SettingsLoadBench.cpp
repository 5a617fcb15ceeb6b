// Loads generated page files with 10, 1,000 and 10,000 commands and prints the time per
// command of each, measured side by side in one run, with the ratio to the 1,000 case.
// With --compare, loads two discs instead, alternating, and prints the median load of each:
// what the pages of one cost more than the other's, too little for a start-up to show.
//   SettingsLoadBench [--compare <folder> <folder> <rounds>]
//
// Each load runs in a fresh process of this program, as the launcher loads its page file
// once per run. Loads repeated in one process would favour the small pages: the heap keeps
// their memory from one load to the next, while the blocks of a large page go back to the
// system and come back as fresh pages each time.
#include "BenchPages.h"
#include "Errors.h"
#include "PerCommandTable.h"
#include "Quantile.h"
#include "Settings.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring DiscFolder(int commands)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    return std::wstring(base) + L"autorun-bench-" + std::to_wstring(commands) + L"\\";
}

void MakeDisc(int commands)
{
    const std::wstring folder = DiscFolder(commands);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string text = BenchPageText(commands);
    const HANDLE file = CreateFileW((folder + L"Autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The child's part: one load of the disc in `folder`, its seconds on standard output.
int LoadOnce(const std::wstring& folder)
{
    CLoadEnvironment environment;
    environment.commandLine = TObj::CUnicodeString(u"Autorun.exe");
    environment.launcherFolder = TObj::CUnicodeString((folder + L"\\").c_str());
    environment.isLanguageInstalled = [](int) { return true; };
    try {
        const auto start = std::chrono::steady_clock::now();
        CSettings settings;
        settings.Load(environment);
        std::printf("%.9f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        return 0;
    } catch (TObj::CException* e) {
        std::printf("load failed: %s\n", e->GetMessageText().ToUtf8().c_str());
        delete e;
        return 1;
    }
}

// Seconds of one load of the disc in `folder` in a fresh process, or a negative value when it
// failed.
double SecondsInFreshProcess(const std::wstring& self, const std::wstring& folder)
{
    // A backslash before the closing quote would escape it.
    const std::wstring quoted = folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
    std::wstring line = L"\"" + self + L"\" --load \"" + quoted + L"\"";
    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (started && ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(readEnd);
    if (!started) {
        std::printf("could not start a load: error %lu\n", static_cast<unsigned long>(GetLastError()));
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (exitCode != 0) {
        std::printf("a load of %ls ended with 0x%lX: %s\n", folder.c_str(), static_cast<unsigned long>(exitCode),
                    output.c_str());
        return -1;
    }
    return std::atof(output.c_str());
}

// Both discs loaded in turn, each in fresh processes; the medians in milliseconds.
int Compare(const std::wstring& self, const std::wstring (&folders)[2], int rounds)
{
    std::vector<double> milliseconds[2];
    // Each round loads them in the other order, so that whatever favours the first (or the
    // second) of a pair falls on both alike.
    for (int round = 0; round < rounds; ++round)
        for (int turn = 0; turn < 2; ++turn) {
            const int i = (round + turn) % 2;
            const double seconds = SecondsInFreshProcess(self, folders[i]);
            if (seconds < 0)
                return 1;
            Sleep(50);
            milliseconds[i].push_back(seconds * 1000);
        }
    const double first = Quantile(milliseconds[0], 0.5), second = Quantile(milliseconds[1], 0.5);
    std::printf("load_first_ms=%.3f\nload_second_ms=%.3f\nload_difference_ms=%.3f\n", first, second, first - second);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--load")
        return LoadOnce(argv[2]);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (argc == 5 && std::wstring(argv[1]) == L"--compare")
        return Compare(self, {argv[2], argv[3]}, _wtoi(argv[4]));
    const int sizes[] = {10, 1000, 10000};
    for (const int size : sizes)
        MakeDisc(size);
    // Alternating rounds, so that noise spreads over all sizes alike.
    const int rounds = 21;
    std::vector<double> perCommand[3];
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < 3; ++i) {
            const double seconds = SecondsInFreshProcess(self, DiscFolder(sizes[i]));
            if (seconds < 0)
                return 1;
            // The system tears a process down after it has ended; the next load should not
            // share the processor with that.
            Sleep(50);
            perCommand[i].push_back(seconds / sizes[i]);
        }
    PrintPerCommandTable(sizes, perCommand);
    return 0;
}
