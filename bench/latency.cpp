// SPDX-License-Identifier: MIT
// The latency of the commands on the program's own window, in process: the form's
// handlers called directly (Calculate over whole tables of 15 rows, Clear between
// tables), and a real click on Calculate, posted to the window like a click of the
// mouse, until the list it grows has been painted again. Then the explanation window:
// F1, posted like a key press, until the window has been painted (the first time in the
// program, the first time on a fresh main window, and again once it is built), and a
// click on Calculate with it open until both windows have been painted again. Last the
// practice window: a row checked, by Enter in its input and by a click on its button,
// until the feedback box has been painted with the new words.
//
//   korvanta_latency [tables] [--no-budgets]
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QWindow>

#include <algorithm>
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

// A press and release of a key, posted to the focused control of `window` as a key of
// the keyboard reaches it.
void PostKey(QWidget &window, Qt::Key key) {
    QWidget *focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QCoreApplication::postEvent(focus, new QKeyEvent(type, key, Qt::NoModifier));
    }
}

// Runs the event loop until `done`, or for at most five seconds; waits for events rather
// than polling, so that the X server has the processor when it is its turn.
template <typename Done> bool Await(Done done) {
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(5000);
    while (!done() && limit.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

// The main window shown, painted and with the keyboard, as after a user's click on it.
bool Ready(korvanta::QtWindow &window, const PaintCounter &paints) {
    window.activateWindow();
    return Await([&] { return paints.paints() > 0 && QApplication::activeWindow() == &window; });
}

// Notes the moment a window that `main` owns has been painted and flushed: in the next
// turn of the event loop after its paint began.
class OwnedWindowPainted final : public QObject {
public:
    explicit OwnedWindowPainted(QWidget &main) : main_(main) { qApp->installEventFilter(this); }
    ~OwnedWindowPainted() override { qApp->removeEventFilter(this); }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen_ && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->window()->parentWidget() == &main_) {
            seen_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    painted_ = true;
                    seen_ = false;
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget &main_;
    bool seen_ = false;
    bool painted_ = false;
};

// F1 in `main` until the explanation window has been painted, in milliseconds; -1 if it
// did not appear.
double F1UntilShown(korvanta::QtWindow &window) {
    OwnedWindowPainted shown(window);
    QElapsedTimer timer;
    timer.start();
    PostKey(window, Qt::Key_F1);
    return Await([&] { return shown.painted(); }) ? MicrosecondsSince(timer) / 1e3 : -1;
}

// Checks of a wrong row in the practice window, posted as a user's Enter in its input or
// click on "Провери реда", each until the feedback box has been painted again; a wrong
// row makes new words every time (the mistakes are counted in them). Adds the
// milliseconds of the presses of Enter and of the clicks; false if F2 opened no practice
// window or its feedback was not painted.
bool PracticeChecks(korvanta::MainWindow &main, int samples, std::vector<double> &enterMs,
                    std::vector<double> &clickMs) {
    korvanta::QtWindow &window = main.window();
    OwnedWindowPainted shown(window);
    PostKey(window, Qt::Key_F2);
    korvanta::QtWindow *practice = nullptr;
    if (!Await([&] { return shown.painted(); }) ||
        (practice = main.host().Built(korvanta::PracticeForm())) == nullptr) {
        return false;
    }
    auto *feedback = qobject_cast<QPlainTextEdit *>(practice->Widget(ControlArray::PracticeFeedback, 0));
    auto *left = qobject_cast<QLineEdit *>(practice->Widget(ControlArray::PracticeEntry, 0));
    auto *check = qobject_cast<QPushButton *>(practice->Widget(ControlArray::PracticeCommand, korvanta::kCheckRow));
    auto *ownTask = qobject_cast<QPushButton *>(practice->Widget(ControlArray::PracticeCommand, korvanta::kOwnTask));
    if (feedback == nullptr || left == nullptr || check == nullptr || ownTask == nullptr) {
        return false;
    }
    korvanta::ControlRegistry &controls = practice->controls();
    PaintCounter feedbackPaints(*feedback->viewport());
    QElapsedTimer timer;
    for (int sample = 0; sample < samples; ++sample) {
        // 15 rows to enter, three tries each: a fresh task long before the rows run out.
        if (sample % 30 == 0) {
            controls.Text(ControlArray::PracticeTask, 0).SetText(kFirstFactor);
            controls.Text(ControlArray::PracticeTask, 1).SetText(kSecondFactor);
            ownTask->click();
        }
        controls.Text(ControlArray::PracticeEntry, 0).SetText("1");
        controls.Text(ControlArray::PracticeEntry, 1).SetText("1");
        left->setFocus();
        QCoreApplication::processEvents();
        const int before = feedbackPaints.paints();
        const bool byEnter = sample % 2 == 0;
        timer.start();
        if (byEnter) {
            PostKey(*practice, Qt::Key_Return);
        } else {
            PostClick(*check);
        }
        if (!Await([&] { return feedbackPaints.paints() != before; })) {
            return false;
        }
        (byEnter ? enterMs : clickMs).push_back(MicrosecondsSince(timer) / 1e3);
        QCoreApplication::processEvents();
    }
    return true;
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

    // The explanation window: built on the first F1, on this window, and on fresh ones.
    std::vector<double> firstF1Ms;
    std::vector<double> freshF1Ms;
    std::vector<double> againF1Ms;
    std::vector<double> explainedClickMs;
    if (!Ready(window, listPaints)) {
        std::fputs("korvanta_latency: the window did not get the keyboard\n", stderr);
        return 2;
    }
    firstF1Ms.push_back(F1UntilShown(window));
    korvanta::QtWindow *why = main.host().Built(korvanta::ExplainForm());
    auto *rows = why != nullptr ? qobject_cast<QTableWidget *>(why->Widget(ControlArray::ExplainRows, 0)) : nullptr;
    if (rows == nullptr || firstF1Ms.back() < 0) {
        std::fputs("korvanta_latency: F1 opened no explanation window\n", stderr);
        return 2;
    }
    for (int time = 0; time < 50; ++time) {
        why->close();
        Ready(window, listPaints);
        againF1Ms.push_back(F1UntilShown(window));
    }
    for (int fresh = 0; fresh < 20; ++fresh) {
        korvanta::MainWindow other;
        PaintCounter otherPaints(other.window());
        other.window().ShowCentred();
        if (Ready(other.window(), otherPaints)) {
            freshF1Ms.push_back(F1UntilShown(other.window()));
        }
    }

    // A click on Calculate with the explanation open, until both windows are painted again.
    PaintCounter rowsPaints(*rows->viewport());
    for (int table = 0; table < tables / 4 + 1; ++table) {
        StartTable(main);
        while (window.controls().Command1(0).Enabled()) {
            const int before = listPaints.paints();
            const int explained = rowsPaints.paints();
            timer.start();
            PostClick(*calculate);
            while (listPaints.paints() == before || rowsPaints.paints() == explained) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            explainedClickMs.push_back(MicrosecondsSince(timer) / 1e3);
            QCoreApplication::processEvents();
        }
        main.program().Clicked(ControlArray::Command1, 1); // Clear, and the explanation with it
        QCoreApplication::processEvents();
    }

    // The practice window, built on the first F2.
    std::vector<double> practiceEnterMs;
    std::vector<double> practiceClickMs;
    why->close();
    if (!Ready(window, listPaints) || !PracticeChecks(main, tables * 2, practiceEnterMs, practiceClickMs)) {
        std::fputs("korvanta_latency: F2 opened no practice window, or its feedback was not painted\n", stderr);
        return 2;
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
    Row("F1 until the explanation window is painted, the first time in the program, ms", firstF1Ms);
    Row("… the first time on a fresh main window, ms", freshF1Ms);
    Row("… again, the window built before, ms", againF1Ms);
    Row("click on Calculate with the explanation open, until both windows are repainted, ms", explainedClickMs);
    Row("a checked row in the practice: Enter until the feedback is repainted, ms", practiceEnterMs);
    Row("… a click on \"Провери реда\" until the feedback is repainted, ms", practiceClickMs);
    std::printf("\n");
    if (!budgets) {
        return 0;
    }
    const Summary calc = Summary::Of(calculateUs);
    Verdict(calc.median < 50, "Command1_Click(0) median < 50 µs", calc.median, "µs");
    Verdict(calc.p99 < 500, "Command1_Click(0) 99th percentile < 500 µs", calc.p99, "µs");
    const Summary click = Summary::Of(clickMs);
    Verdict(click.p99 < 16, "click with its repaint < 16 ms (99th percentile)", click.p99, "ms");
    const Summary explained = Summary::Of(explainedClickMs);
    Verdict(explained.median < 2, "click with the explanation open, both windows repainted, median < 2 ms",
            explained.median, "ms");
    const double feedback = std::max(Summary::Of(practiceEnterMs).median, Summary::Of(practiceClickMs).median);
    Verdict(feedback < 2, "a checked entry shows its feedback, by Enter and by a click, median < 2 ms", feedback, "ms");
    std::printf("- aim, not a budget: F1 until the explanation window is painted < 50 ms: %.1f ms the first time, "
                "%.1f ms (median) on a fresh main window\n",
                Summary::Of(firstF1Ms).median, Summary::Of(freshF1Ms).median);
    return 0;
}
