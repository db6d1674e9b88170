// SPDX-License-Identifier: MIT
// The program's start: the form Korvanta on its Qt window, shown centred.
#pragma once

#include "backends/qt/qt_window.h"
#include "ui/form.h"

class QApplication;

namespace korvanta {

// The main window and the form that handles its clicks, for as long as the window lives.
class MainWindow {
public:
    explicit MainWindow(int dpi = ScreenLogicalDpi());
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    QtWindow &window() { return window_; }
    Korvanta &form() { return form_; }

private:
    QtWindow window_;
    Korvanta form_;
};

// Whether a window can be opened here: a display, or a Qt platform chosen explicitly.
bool CanOpenWindow();

// Sets up the application's names and icon, shows the main window and runs the event
// loop until the window is closed; returns the loop's exit code.
int RunMainWindow(QApplication &app);

} // namespace korvanta
