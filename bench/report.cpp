// SPDX-License-Identifier: MIT

#include "bench/report.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace korvanta::bench {
namespace {

std::int64_t ReadVmHwmKiB() {
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return -1;
    }
    std::int64_t kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        long long value = 0;
        if (std::sscanf(line, "VmHWM: %lld kB", &value) == 1) {
            kib = value;
            break;
        }
    }
    std::fclose(status);
    return kib;
}

std::int64_t phases[kPhases] = {};

} // namespace

void MarkPhase(Phase phase) {
    std::int64_t &mark = phases[static_cast<int>(phase)];
    if (mark == 0) {
        mark = MonotonicNs();
    }
}

std::int64_t MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

void ReportFirstPaint() {
    FirstPaintRecord record{MonotonicNs(), ReadVmHwmKiB(), {}};
    for (int i = 0; i < kPhases; ++i) {
        record.phaseNs[i] = phases[i];
    }
    // Only the benchmark's pipe: started by hand, descriptor 3 may be the X connection.
    struct stat target {};
    if (fstat(kReportFd, &target) != 0 || !S_ISFIFO(target.st_mode) ||
        write(kReportFd, &record, sizeof record) != static_cast<ssize_t>(sizeof record)) {
        std::fprintf(stderr, "first paint at %lld ns, peak memory %lld KiB\n",
                     static_cast<long long>(record.monotonicNs), static_cast<long long>(record.vmHwmKiB));
    }
}

} // namespace korvanta::bench
