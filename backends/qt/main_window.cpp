// SPDX-License-Identifier: MIT

#include "backends/qt/main_window.h"

#include <QApplication>

#include <string_view>
#include <vector>

#include "korvanta_version.h"

namespace korvanta {

MainWindow::MainWindow(int dpi) : window_(dpi) {}

Options ReadCommandLine(int argc, char **argv) {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return ReadOptions(arguments);
}

bool CanOpenWindow() {
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return true;
        }
    }
    return false;
}

int RunMainWindow(QApplication &app) {
    QApplication::setApplicationName(QStringLiteral("umnozhenie"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANTA_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("umnozhenie"));
    QApplication::setWindowIcon(ProgramIcon());
    MainWindow main;
    main.window().ShowCentred();
    return app.exec();
}

} // namespace korvanta
