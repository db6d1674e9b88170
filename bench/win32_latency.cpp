// SPDX-License-Identifier: MIT
// The Windows program's windows, in process, on the program's own window code: the main
// window with the whole program behind it, from nothing until it has been painted; F1 and
// F2, delivered like key presses through the program's keyboard handling, until the
// explanation or the practice has been painted (the first time on a fresh main window,
// when each is built); and in the practice, Enter on a checked row until the feedback box
// (and the table, for a right row) has been painted with its new text. The start-up is
// measured in English (--lang en) too. Run under wine by scripts/bench-windows.sh.
//
//   korvanta_win32_latency [samples]
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "backends/win32/win32_host.h"
#include "backends/win32/win32_window.h"
#include "bench/stats.h"
#include "calc/texts.h"
#include "ui/program.h"

namespace {

using korvanta::ControlArray;
using korvanta::bench::Summary;
using korvanta::win32::Win32Host;
using korvanta::win32::Win32Window;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER value{};
        QueryPerformanceFrequency(&value);
        return value.QuadPart;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e3 / static_cast<double>(frequency);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}

// The program as wWinMain makes it.
struct RunningProgram {
    explicit RunningProgram(HINSTANCE instance) : main(instance), host(instance, main), program(main, host) {
        main.Show(SW_SHOW);
    }
    Win32Window main;
    Win32Host host;
    korvanta::Program program;
};

// Everything waiting is handled as the program's event loop handles it, and every window
// that waits to be painted is painted.
void Settle(Win32Window &main) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!main.TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A key pressed where the keyboard's focus is, as the event loop receives it.
void PressKey(Win32Window &main, WPARAM key) {
    MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    if (!main.TranslateDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Settle(main);
}

void Row(const char *what, const std::vector<double> &samples) {
    const Summary s = Summary::Of(samples);
    std::printf("| %s | %zu | %.2f | %.2f | %.2f | %.2f |\n", what, samples.size(), s.median, s.p99, s.min, s.max);
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    const int samples = argc > 1 ? std::max(10, _wtoi(argv[1])) : 200;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // COM, as wWinMain starts it for the windows' annotations for screen readers.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Once, untimed: the classes registered, the fonts and the common controls loaded.
    {
        RunningProgram warm(instance);
        Settle(warm.main);
    }

    // Fresh programs: start-up until painted, then F1 and F2 the first time (built then).
    std::vector<double> startupMs;
    std::vector<double> f1Ms;
    std::vector<double> f2Ms;
    for (int run = 0; run < 20; ++run) {
        const LARGE_INTEGER begun = Now();
        auto running = std::make_unique<RunningProgram>(instance);
        Settle(running->main);
        startupMs.push_back(Milliseconds(begun, Now()));
        Win32Window &main = running->main;
        SetFocus(main.ControlWindow(ControlArray::Command1, 0));
        LARGE_INTEGER pressed = Now();
        PressKey(main, VK_F1);
        f1Ms.push_back(Milliseconds(pressed, Now()));
        PressKey(main, VK_ESCAPE);
        pressed = Now();
        PressKey(main, VK_F2);
        f2Ms.push_back(Milliseconds(pressed, Now()));
    }

    // The same start-up in English, as "--lang en" chooses it before the window is made.
    std::vector<double> englishMs;
    korvanta::SetLanguage("en");
    for (int run = 0; run < 20; ++run) {
        const LARGE_INTEGER begun = Now();
        auto running = std::make_unique<RunningProgram>(instance);
        Settle(running->main);
        englishMs.push_back(Milliseconds(begun, Now()));
    }
    korvanta::SetLanguage("bg");

    // The practice open: the rows of 24 × 26 entered one by one, one of them wrong first
    // (right rows write the table again, a wrong one only the feedback), then the task
    // again.
    RunningProgram running(instance);
    Win32Window &main = running.main;
    PressKey(main, VK_F2);
    Win32Window &practice = *running.host.Built(korvanta::PracticeForm());
    const HWND left = practice.ControlWindow(ControlArray::PracticeEntry, 0);
    const HWND right = practice.ControlWindow(ControlArray::PracticeEntry, 1);
    constexpr std::array<std::array<const wchar_t *, 2>, 5> kEntries{
        {{L"48", L"13"}, {L"96", L"7"}, {L"96", L"6"}, {L"192", L"3"}, {L"384", L"1"}}};
    std::vector<double> checkMs;
    for (int sample = 0; sample < samples; ++sample) {
        const std::size_t entry = static_cast<std::size_t>(sample) % kEntries.size();
        if (entry == 0) {
            SetWindowTextW(practice.ControlWindow(ControlArray::PracticeTask, 0), L"24");
            SetWindowTextW(practice.ControlWindow(ControlArray::PracticeTask, 1), L"26");
            SetFocus(practice.ControlWindow(ControlArray::PracticeTask, 1));
            PressKey(main, VK_RETURN);
        }
        SetWindowTextW(left, kEntries[entry][0]);
        SetWindowTextW(right, kEntries[entry][1]);
        SetFocus(right);
        Settle(main);
        const LARGE_INTEGER pressed = Now();
        PressKey(main, VK_RETURN);
        checkMs.push_back(Milliseconds(pressed, Now()));
    }

    std::printf("The Windows program's windows, in process (%d-bit, under wine):\n\n",
                8 * static_cast<int>(sizeof(void *)));
    std::printf("| | samples | median | 99th percentile | min | max |\n|---|---:|---:|---:|---:|---:|\n");
    Row("a fresh program: the main window until painted, ms", startupMs);
    Row("the same in English (--lang en), ms", englishMs);
    Row("F1 until the explanation window is painted, built then, ms", f1Ms);
    Row("F2 until the practice window is painted, built then, ms", f2Ms);
    Row("a checked entry (Enter on a row) until its feedback is painted, ms", checkMs);
    std::printf("\n");
    const Summary check = Summary::Of(checkMs);
    std::printf("- %s a checked entry shows its feedback, median < 2 ms: %.2f ms\n", check.median < 2 ? "PASS" : "FAIL",
                check.median);
    std::printf("- for comparison, not a budget: the main window's start-up, %.2f ms (median); the windows of the "
                "menu are built on first use, not then\n",
                Summary::Of(startupMs).median);
    return 0;
}
