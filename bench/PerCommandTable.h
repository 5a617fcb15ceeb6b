// PerCommandTable.h
// Holds PrintPerCommandTable, the table the load benchmarks print: for each page size the
// best and the median time per command of all rounds, and their ratios to the 1,000 case.
// The best round is the steadier measure on a shared machine, since interruptions only
// ever add time; the median shows how much they added.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

inline void PrintPerCommandTable(const int (&sizes)[3], std::vector<double> (&secondsPerCommand)[3])
{
    double best[3], median[3];
    for (int i = 0; i < 3; ++i) {
        std::vector<double>& rounds = secondsPerCommand[i];
        std::sort(rounds.begin(), rounds.end());
        best[i] = rounds.front();
        median[i] = rounds[rounds.size() / 2];
    }
    std::printf("%-10s %-14s %-16s %-12s %s\n", "commands", "best us/cmd", "median us/cmd", "best ratio",
                "median ratio");
    for (int i = 0; i < 3; ++i)
        std::printf("%-10d %-14.2f %-16.2f %-12.3f %.3f\n", sizes[i], best[i] * 1e6, median[i] * 1e6, best[i] / best[1],
                    median[i] / median[1]);
}
