// SPDX-License-Identifier: MIT
// The program's start: the whole program on its Qt windows, the main one shown centred.
#pragma once

#include "backends/qt/qt_window.h"
#include "ui/form.h"
#include "ui/options.h"
#include "ui/program.h"

class QApplication;

namespace korvanta {

// The main window, the host of the windows of its menu, and the program that runs them,
// for as long as the main window lives.
class MainWindow {
public:
    explicit MainWindow(int dpi = ScreenLogicalDpi());
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    QtWindow &window() { return window_; }
    QtHost &host() { return host_; }
    Program &program() { return program_; }
    Korvanta &form() { return program_.form(); }

private:
    QtWindow window_;
    QtHost host_{window_};
    Program program_{window_, host_};
};

// The program's own options on its command line (ui/options.h), which choose the language;
// Qt's own, such as -platform, are left to Qt.
Options ReadCommandLine(int argc, char **argv);

// Whether a window can be opened here: a display, or a Qt platform chosen explicitly.
bool CanOpenWindow();

// Sets up the application's names and icon, shows the main window and runs the event
// loop until the window is closed; returns the loop's exit code.
int RunMainWindow(QApplication &app);

} // namespace korvanta
