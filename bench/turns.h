// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <algorithm>
#include <cstddef>
#include <vector>

// What the benchmarks that run both sides in turns report of them.
namespace turns {

inline double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The value below which a share q of them lie.
inline double Quantile(std::vector<double> values, double q) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

// (90th - 10th percentile) / median: how far one run's figures stray.
inline double Spread(const std::vector<double>& values) {
    const double median = Median(values);
    return median > 0 ? (Quantile(values, 0.9) - Quantile(values, 0.1)) / median : 0;
}

// Each turn's quotient ours / theirs.
inline std::vector<double> Quotients(const std::vector<double>& ours,
                                     const std::vector<double>& theirs) {
    std::vector<double> quotients;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i) {
        quotients.push_back(ours[i] / theirs[i]);
    }
    return quotients;
}

// The median of each turn's quotient: the machine's drift over the run falls
// on both sides of every one.
inline double TurnRatio(const std::vector<double>& ours, const std::vector<double>& theirs) {
    return Median(Quotients(ours, theirs));
}

// Where the middle 80% of the turns' quotients lie.
inline double TurnRatioLow(const std::vector<double>& ours, const std::vector<double>& theirs) {
    return Quantile(Quotients(ours, theirs), 0.1);
}
inline double TurnRatioHigh(const std::vector<double>& ours, const std::vector<double>& theirs) {
    return Quantile(Quotients(ours, theirs), 0.9);
}

} // namespace turns
