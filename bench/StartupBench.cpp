// Start-up time of two programs measured side by side: from CreateProcess to the moment the
// program's window shows the expected colour at a given point of its client area, for the
// launcher on a disc and for a minimal window program, alternating, the given number of runs each.
// Prints each median, its 25th and 75th percentiles, the ratio of the medians, and how sure
// that ratio is: the 95 % interval of the ratios of resampled medians.
//   StartupBench <runs> <exe> <title> <x> <y> <rrggbb> <exe> <title> <x> <y> <rrggbb>
// An <exe> of the form "<path>|<arguments>" is started with those arguments.
#include "BenchPrograms.h"
#include "Quantile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct CSubject {
    std::wstring exe, arguments, title;
    int x, y;
    COLORREF color;
    std::vector<double> milliseconds;
};

// Milliseconds until the first painted frame, or a negative number when none came in 30 s.
double TimeToFirstFrame(const CSubject& subject)
{
    PROCESS_INFORMATION process{};
    const double start = StartProgram(subject.exe, subject.arguments, process);
    if (start < 0)
        return -1;
    const double seen = WaitForColour(subject.title, subject.x, subject.y, subject.color);
    EndProgram(process);
    // The next run starts from a display without the last window.
    for (int i = 0; i < 500 && FindWindowW(nullptr, subject.title.c_str()) != nullptr; ++i)
        Sleep(10);
    return seen < 0 ? -1 : seen - start;
}

CSubject Subject(wchar_t** arguments)
{
    const unsigned long rgb = std::wcstoul(arguments[4], nullptr, 16);
    const std::wstring program = arguments[0];
    const std::size_t bar = program.find(L'|');
    return CSubject{program.substr(0, bar),
                    bar == std::wstring::npos ? std::wstring() : program.substr(bar + 1),
                    arguments[1],
                    _wtoi(arguments[2]),
                    _wtoi(arguments[3]),
                    RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF),
                    {}};
}

// The bootstrap: the medians of many samples drawn with replacement from each run's times. A
// fixed seed gives the same interval for the same times.
std::pair<double, double> RatioInterval(const std::vector<double>& first, const std::vector<double>& second)
{
    std::mt19937 random(12345);
    const auto resampledMedian = [&random](const std::vector<double>& times) {
        std::uniform_int_distribution<std::size_t> pick(0, times.size() - 1);
        std::vector<double> sample(times.size());
        for (double& time : sample)
            time = times[pick(random)];
        return Quantile(std::move(sample), 0.5);
    };
    std::vector<double> ratios(2000);
    for (double& ratio : ratios)
        ratio = resampledMedian(first) / resampledMedian(second);
    return {Quantile(ratios, 0.025), Quantile(ratios, 0.975)};
}

} // namespace

int wmain(int count, wchar_t** arguments)
{
    if (count != 12) {
        std::fprintf(stderr, "usage: StartupBench runs exe title x y rrggbb exe title x y rrggbb\n");
        return 2;
    }
    const int runs = _wtoi(arguments[1]);
    CSubject subjects[2] = {Subject(arguments + 2), Subject(arguments + 7)};
    TimeToFirstFrame(subjects[0]); // both warm: the first start of any program loads more
    TimeToFirstFrame(subjects[1]);
    // Each run starts them in the other order, so that whatever favours the first (or the
    // second) of a pair falls on both alike.
    for (int run = 0; run < runs; ++run)
        for (int turn = 0; turn < 2; ++turn) {
            CSubject& subject = subjects[(run + turn) % 2];
            const double ms = TimeToFirstFrame(subject);
            if (ms < 0) {
                std::fprintf(stderr, "no frame from %ls\n", subject.title.c_str());
                return 1;
            }
            subject.milliseconds.push_back(ms);
        }
    const double launcher = Quantile(subjects[0].milliseconds, 0.5), minimal = Quantile(subjects[1].milliseconds, 0.5);
    std::printf("startup_launcher_ms=%.1f\nstartup_minimal_ms=%.1f\nstartup_ratio=%.2f\nstartup_runs=%d\n", launcher,
                minimal, launcher / minimal, runs);
    // The spread of each: the 25th and 75th percentiles.
    std::printf("startup_launcher_quartiles=%.1f-%.1f\nstartup_minimal_quartiles=%.1f-%.1f\n",
                Quantile(subjects[0].milliseconds, 0.25), Quantile(subjects[0].milliseconds, 0.75),
                Quantile(subjects[1].milliseconds, 0.25), Quantile(subjects[1].milliseconds, 0.75));
    const auto [low, high] = RatioInterval(subjects[0].milliseconds, subjects[1].milliseconds);
    std::printf("startup_ratio_interval=%.3f-%.3f\n", low, high);
    return 0;
}
