// SPDX-License-Identifier: MIT
// Median, percentiles and extremes of a set of measurements.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace korvanta::bench {

struct Summary {
    double median = 0;
    double p99 = 0;
    double min = 0;
    double max = 0;

    // The value below which `fraction` of the sorted samples lie (nearest rank).
    static double Percentile(const std::vector<double> &sorted, double fraction) {
        if (sorted.empty()) {
            return 0;
        }
        const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
        return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1];
    }

    static Summary Of(std::vector<double> samples) {
        if (samples.empty()) {
            return {};
        }
        std::sort(samples.begin(), samples.end());
        const std::size_t n = samples.size();
        const double median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
        return {median, Percentile(samples, 0.99), samples.front(), samples.back()};
    }
};

} // namespace korvanta::bench
