// SPDX-License-Identifier: MIT
// The latency of the commands on the program's own window, in process: the form's
// handlers called directly (Calculate over whole tables of 15 rows, Clear between
// tables), and a real click on Calculate, posted to the window like a click of the
// mouse, until the list it grows has been painted again.
//
//   korvanta_latency [tables] [--no-budgets]
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "backends/qt/main_window.h"
#include "bench/stats.h"

namespace {

using korvanta::ControlArray;
using korvanta::bench::Summary;

// 32767 halves down to 1 in 15 rows: the longest table the second factor allows.
constexpr const char *kFirstFactor = "123";
constexpr const char *kSecondFactor = "32767";

// Counts the paints of a widget.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget &widget) : QObject(&widget) { widget.installEventFilter(this); }
    int paints() const { return paints_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int paints_ = 0;
};

double MicrosecondsSince(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e3; }

void StartTable(korvanta::MainWindow &main) {
    main.window().controls().Text2(0).SetText(kFirstFactor);
    main.window().controls().Text2(1).SetText(kSecondFactor);
}

// A press and release of the left button in the middle of `widget`, posted to its window
// so that they take the way of a real click through the event loop.
void PostClick(QWidget &widget) {
    QWindow *window = widget.window()->windowHandle();
    const QPointF local = widget.mapTo(widget.window(), widget.rect().center());
    const QPointF global = widget.mapToGlobal(widget.rect().center());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(window, new QMouseEvent(type, local, global, Qt::LeftButton, held, Qt::NoModifier));
    }
}

void Row(const char *what, const std::vector<double> &samples) {
    const Summary s = Summary::Of(samples);
    std::printf("| %s | %zu | %.1f | %.1f | %.1f | %.1f |\n", what, samples.size(), s.median, s.p99, s.min, s.max);
}

void Verdict(bool pass, const char *what, double value, const char *unit) {
    std::printf("- %s %s: %.1f %s\n", pass ? "PASS" : "FAIL", what, value, unit);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int tables = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    const bool budgets = !(argc > 2 && std::string_view(argv[2]) == "--no-budgets");

    korvanta::MainWindow main;
    korvanta::QtWindow &window = main.window();
    window.ShowCentred();
    auto *calculate = qobject_cast<QPushButton *>(window.Widget(ControlArray::Command1, 0));
    auto *left = qobject_cast<QListWidget *>(window.Widget(ControlArray::List1, 0));
    if (calculate == nullptr || left == nullptr) {
        std::fputs("korvanta_latency: the window has no Calculate button or left column\n", stderr);
        return 2;
    }
    PaintCounter listPaints(*left->viewport());
    while (listPaints.paints() == 0) { // the window is on the screen
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    // The handlers alone; the event loop runs between calls, untimed, as it would.
    std::vector<double> calculateUs;
    std::vector<double> fitUs;    // Calculate while both columns still show every row
    std::vector<double> scrollUs; // Calculate once the columns scroll to their newest row
    std::vector<double> clearUs;
    korvanta::Korvanta &form = main.form();
    QElapsedTimer timer;
    for (int table = 0; table < tables; ++table) {
        StartTable(main);
        while (window.controls().Command1(0).Enabled()) {
            const bool fits = left->count() == 0 || left->verticalScrollBar()->maximum() == 0;
            timer.start();
            form.Command1_Click(0);
            calculateUs.push_back(MicrosecondsSince(timer));
            (fits ? fitUs : scrollUs).push_back(calculateUs.back());
            QCoreApplication::processEvents();
        }
        timer.start();
        form.Command1_Click(1);
        clearUs.push_back(MicrosecondsSince(timer));
        QCoreApplication::processEvents();
    }

    // A click and the repaint it causes.
    std::vector<double> clickMs;
    for (int table = 0; table < tables / 4 + 1; ++table) {
        StartTable(main);
        while (window.controls().Command1(0).Enabled()) {
            const int before = listPaints.paints();
            timer.start();
            PostClick(*calculate);
            while (listPaints.paints() == before) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            clickMs.push_back(MicrosecondsSince(timer) / 1e3);
            QCoreApplication::processEvents();
        }
        form.Command1_Click(1);
        QCoreApplication::processEvents();
    }

    std::printf("Commands on the program's window, Qt platform \"%s\" (first factor %s, second %s: 15 rows a "
                "table):\n\n",
                qPrintable(QGuiApplication::platformName()), kFirstFactor, kSecondFactor);
    std::printf("| | samples | median | 99th percentile | min | max |\n|---|---:|---:|---:|---:|---:|\n");
    Row("Command1_Click(0), Calculate, µs", calculateUs);
    Row("… while the columns show every row, µs", fitUs);
    Row("… once the columns scroll to their newest row, µs", scrollUs);
    Row("Command1_Click(1), Clear, µs", clearUs);
    Row("click on Calculate until the list is repainted, ms", clickMs);
    std::printf("\n");
    if (!budgets) {
        return 0;
    }
    const Summary calc = Summary::Of(calculateUs);
    Verdict(calc.median < 50, "Command1_Click(0) median < 50 µs", calc.median, "µs");
    Verdict(calc.p99 < 500, "Command1_Click(0) 99th percentile < 500 µs", calc.p99, "µs");
    const Summary click = Summary::Of(clickMs);
    Verdict(click.p99 < 16, "click with its repaint < 16 ms (99th percentile)", click.p99, "ms");
    return 0;
}
