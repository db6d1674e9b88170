// SPDX-License-Identifier: MIT
// Measures start-up: runs each probe many times, alternating between them so that drift
// of the machine touches all alike, and takes from each run the time from just before
// exec to the probe's first paint and the peak resident memory of the whole process
// (from wait4). Prints a Markdown table and checks the program against the bare form.
//
//   korvanta_startup [--runs N] [--program PATH [--lang CODE]] --bare PATH --floor PATH
//
// With --lang, the program starts in that language (its own option --lang CODE).
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/report.h"
#include "bench/stats.h"

namespace {

using korvanta::bench::FirstPaintRecord;
using korvanta::bench::Summary;

struct Probe {
    Probe(std::string label, std::string path) : label(std::move(label)), path(std::move(path)) {}
    std::string label;
    std::string path;
    std::vector<std::string> options; // after the path on the command line
    std::vector<double> startupMs;
    std::vector<double> peakMiB;
    std::vector<double> hwmAtPaintMiB;
    // The time spent in each step: exec to the first mark, mark to mark, the last mark
    // to the report.
    std::vector<double> stepMs[korvanta::bench::kPhases + 1];
};

constexpr const char *kStepNames[korvanta::bench::kPhases + 1] = {
    "exec → main()", "→ application (Qt) / display (Xlib)", "→ window shown / mapped", "→ first paint begins",
    "→ painted, on the server"};

constexpr int kTimeoutMs = 20'000;
constexpr useconds_t kPauseUs = 100'000;

[[noreturn]] void Fail(const std::string &what) {
    std::fprintf(stderr, "korvanta_startup: %s\n", what.c_str());
    std::exit(2);
}

// One start of a probe: exec to first paint in milliseconds, peak memory in MiB.
void RunOnce(Probe &probe, bool keep) {
    // Let the X server finish with the previous probe first: a start is measured on a
    // quiet machine, as a user would start the program.
    usleep(kPauseUs);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        Fail("pipe: " + std::string(std::strerror(errno)));
    }
    const std::int64_t start = korvanta::bench::MonotonicNs();
    const pid_t child = fork();
    if (child < 0) {
        Fail("fork: " + std::string(std::strerror(errno)));
    }
    if (child == 0) {
        // dup2 clears close-on-exec on the copy; the probe writes its record there.
        if (dup2(fds[1], korvanta::bench::kReportFd) < 0) {
            _exit(127);
        }
        std::vector<char *> command{const_cast<char *>(probe.path.c_str())};
        for (const std::string &option : probe.options) {
            command.push_back(const_cast<char *>(option.c_str()));
        }
        command.push_back(nullptr);
        execv(probe.path.c_str(), command.data());
        _exit(127);
    }
    close(fds[1]);

    FirstPaintRecord record{};
    std::size_t got = 0;
    pollfd wait{fds[0], POLLIN, 0};
    while (got < sizeof record && poll(&wait, 1, kTimeoutMs) > 0) {
        const ssize_t n = read(fds[0], reinterpret_cast<char *>(&record) + got, sizeof record - got);
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    close(fds[0]);
    if (got != sizeof record) {
        kill(child, SIGKILL);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        Fail("wait4: " + std::string(std::strerror(errno)));
    }
    if (got != sizeof record || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        Fail(probe.label + " (" + probe.path + ") did not report its first paint and exit cleanly");
    }
    if (keep) {
        probe.startupMs.push_back(static_cast<double>(record.monotonicNs - start) / 1e6);
        probe.peakMiB.push_back(static_cast<double>(usage.ru_maxrss) / 1024.0);
        probe.hwmAtPaintMiB.push_back(static_cast<double>(record.vmHwmKiB) / 1024.0);
        std::int64_t previous = start;
        for (int i = 0; i <= korvanta::bench::kPhases; ++i) {
            const std::int64_t mark = i < korvanta::bench::kPhases ? record.phaseNs[i] : record.monotonicNs;
            if (mark != 0) {
                probe.stepMs[i].push_back(static_cast<double>(mark - previous) / 1e6);
                previous = mark;
            }
        }
    }
}

void Verdict(bool pass, const char *what, const std::string &detail) {
    std::printf("- %s %s: %s\n", pass ? "PASS" : "FAIL", what, detail.c_str());
}

std::string Format(const char *format, double a, double b, double c) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

int main(int argc, char **argv) {
    int runs = 30;
    const int warmup = 3;
    std::vector<Probe> probes;
    std::string program, bare, floor, language;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const char *value = argv[i + 1];
        if (option == "--runs") {
            runs = std::max(1, std::atoi(value));
        } else if (option == "--program") {
            program = value;
        } else if (option == "--bare") {
            bare = value;
        } else if (option == "--floor") {
            floor = value;
        } else if (option == "--lang") {
            language = value;
        } else {
            Fail("unknown option " + option);
        }
    }
    if (bare.empty() || floor.empty()) {
        Fail("usage: korvanta_startup [--runs N] [--program PATH [--lang CODE]] --bare PATH --floor PATH");
    }
    if (!program.empty()) {
        probes.emplace_back(language.empty() ? "the program (Qt)" : "the program (Qt), --lang " + language, program);
        if (!language.empty()) {
            probes.back().options = {"--lang", language};
        }
    }
    probes.emplace_back("bare Qt form", bare);
    probes.emplace_back("floor: Xlib + Xft", floor);

    // Round r starts with probe r mod n, so no probe always runs first or last.
    const std::size_t n = probes.size();
    for (int round = 0; round < warmup + runs; ++round) {
        for (std::size_t k = 0; k < n; ++k) {
            RunOnce(probes[(static_cast<std::size_t>(round) + k) % n], round >= warmup);
        }
    }

    const Summary bareTime = Summary::Of(probes[n - 2].startupMs);
    const Summary floorTime = Summary::Of(probes[n - 1].startupMs);
    std::printf("Start-up, exec to first paint, %d runs each (after %d warm-up rounds), alternating:\n\n", runs,
                warmup);
    std::printf("| | median ms | min ms | max ms | × bare form | × floor | peak memory MiB (median) | min | max |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Probe &probe : probes) {
        const Summary time = Summary::Of(probe.startupMs);
        const Summary memory = Summary::Of(probe.peakMiB);
        std::printf("| %s | %.1f | %.1f | %.1f | %.2f | %.2f | %.1f | %.1f | %.1f |\n", probe.label.c_str(),
                    time.median, time.min, time.max, time.median / bareTime.median, time.median / floorTime.median,
                    memory.median, memory.min, memory.max);
    }
    std::printf("\nPeak memory is the process's maximum resident set (wait4); at the first paint it was");
    for (const Probe &probe : probes) {
        std::printf(" %.1f MiB (%s)", Summary::Of(probe.hwmAtPaintMiB).median, probe.label.c_str());
    }
    std::printf(".\n\nWhere the start-up time goes (medians, ms):\n\n|");
    for (const Probe &probe : probes) {
        std::printf(" | %s", probe.label.c_str());
    }
    std::printf(" |\n|---|");
    for (std::size_t i = 0; i < n; ++i) {
        std::printf("---:|");
    }
    for (int step = 0; step <= korvanta::bench::kPhases; ++step) {
        std::printf("\n| %s", kStepNames[step]);
        for (const Probe &probe : probes) {
            std::printf(" | %.1f", Summary::Of(probe.stepMs[step]).median);
        }
        std::printf(" |");
    }
    std::printf("\n\n");

    if (!program.empty()) {
        const Summary time = Summary::Of(probes[0].startupMs);
        const Summary memory = Summary::Of(probes[0].peakMiB);
        const Summary bareMemory = Summary::Of(probes[1].peakMiB);
        Verdict(
            time.median <= 1.05 * bareTime.median, "start-up ≤ 1.05 × bare form",
            Format("%.1f ms against %.1f ms (%.2f ×)", time.median, bareTime.median, time.median / bareTime.median));
        Verdict(memory.median <= bareMemory.median + 1.0, "peak memory ≤ bare form + 1 MiB",
                Format("%.1f MiB against %.1f MiB (%+.1f MiB)", memory.median, bareMemory.median,
                       memory.median - bareMemory.median));
        std::printf("- ratio to the floor: %.2f × (start-up), %.2f × (peak memory)\n", time.median / floorTime.median,
                    memory.median / Summary::Of(probes[n - 1].peakMiB).median);
    } else {
        std::printf("- FAIL start-up and peak memory: the program's start-up code is not built\n");
    }
    return 0;
}
