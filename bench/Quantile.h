// Quantile.h
// Holds Quantile, the value at a share of a benchmark's measurements (0.5 the median), by
// nearest rank; the benchmarks report their medians and spreads with it.
#pragma once

#include <algorithm>
#include <vector>

inline double Quantile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5)];
}
