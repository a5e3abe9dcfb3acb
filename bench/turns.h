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

// The median of each turn's quotient: the machine's drift over the run falls
// on both sides of every one.
inline double TurnRatio(const std::vector<double>& ours, const std::vector<double>& theirs) {
    std::vector<double> quotients;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i) {
        quotients.push_back(ours[i] / theirs[i]);
    }
    return Median(std::move(quotients));
}

} // namespace turns
