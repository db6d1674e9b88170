// SPDX-License-Identifier: MIT
// The program's own start, as app/main_qt.cpp runs it (the same checks and start-up
// function on the same application object), ending after the first paint of its window.
#include <QApplication>

#include "backends/qt/main_window.h"
#include "bench/qt_first_paint.h"
#include "bench/report.h"

int main(int argc, char **argv) {
    korvanta::bench::MarkPhase(korvanta::bench::Phase::Main);
    if (!korvanta::ReadCommandLine(argc, argv).error.empty()) {
        return 2;
    }
    if (!korvanta::CanOpenWindow()) {
        return 1;
    }
    QApplication app(argc, argv);
    korvanta::bench::QuitAfterFirstPaint();
    return korvanta::RunMainWindow(app);
}
