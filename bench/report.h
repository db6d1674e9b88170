// SPDX-License-Identifier: MIT
// How a start-up probe tells the benchmark that started it when its window first
// appeared on the screen. The benchmark hands each probe the write end of a pipe as
// file descriptor 3; the probe writes one record and ends. Started by hand (nothing
// on descriptor 3), a probe prints the record to standard error instead.
#pragma once

#include <cstdint>

namespace korvanta::bench {

inline constexpr int kReportFd = 3;

// The steps of a start, each marked when it is reached. For the Qt probes: main()
// entered (the libraries are loaded and linked), the QApplication made (platform
// plugin, X connection), the window shown (all widgets built), its first paint begun.
// The Xlib floor marks the same points: main(), display opened, window mapped,
// first Expose.
enum class Phase { Main, Application, Shown, Painting };
inline constexpr int kPhases = 4;

struct FirstPaintRecord {
    std::int64_t monotonicNs;      // CLOCK_MONOTONIC when the first paint reached the X server
    std::int64_t vmHwmKiB;         // the probe's own peak resident memory at that moment
    std::int64_t phaseNs[kPhases]; // CLOCK_MONOTONIC at each step, 0 if not marked
};

// The monotonic clock, shared by every process on the machine.
std::int64_t MonotonicNs();

// Notes that a step of the start has been reached (the first time only).
void MarkPhase(Phase phase);

// Records the moment of the first paint and sends it to the benchmark.
void ReportFirstPaint();

} // namespace korvanta::bench
