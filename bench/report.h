// How a start-up probe tells the benchmark that started it when its window first
// appeared on the screen. The benchmark hands each probe the write end of a pipe as
// file descriptor 3; the probe writes one record and ends. Started by hand (nothing
// on descriptor 3), a probe prints the record to standard error instead.
#pragma once

#include <cstdint>

namespace korvanta::bench {

inline constexpr int kReportFd = 3;

struct FirstPaintRecord {
    std::int64_t monotonicNs; // CLOCK_MONOTONIC when the first paint reached the X server
    std::int64_t vmHwmKiB;    // the probe's own peak resident memory at that moment
};

// The monotonic clock, shared by every process on the machine.
std::int64_t MonotonicNs();

// Records the moment of the first paint and sends it to the benchmark.
void ReportFirstPaint();

} // namespace korvanta::bench
