// SPDX-License-Identifier: MIT
// Umnozhenie on Linux: opens the main window, in the language its command line chooses
// (Bulgarian without one), and runs until the window is closed.
#include <QApplication>

#include <cstdio>

#include "backends/qt/main_window.h"

int main(int argc, char **argv) {
    const korvanta::Options options = korvanta::ReadCommandLine(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return 2;
    }
    if (!korvanta::CanOpenWindow()) {
        std::fputs("umnozhenie: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    return korvanta::RunMainWindow(app);
}
