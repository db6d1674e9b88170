// SPDX-License-Identifier: MIT
// A bare Qt Widgets form: the eleven controls of the main window at their places, with
// their texts, font and colours, and no behaviour at all: what a form designer would
// produce. The yardstick for the program's start-up; it ends after its first paint.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QWidget>

#include "bench/qt_first_paint.h"
#include "bench/report.h"
#include "ui/layout.h"

namespace {

using namespace korvanta;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).replace("\r\n", "\n");
}

QColor Color(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QWidget *MakeControl(const ControlSpec &design, QWidget &parent) {
    QWidget *widget = nullptr;
    QPalette::ColorRole colorRole = QPalette::Base;
    switch (design.kind) {
    case ControlKind::MultiLineTextBox: {
        auto *box = new QPlainTextEdit(Text(design.text), &parent);
        box->setReadOnly(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        widget = box;
        break;
    }
    case ControlKind::TextBox:
        widget = new QLineEdit(Text(design.text), &parent);
        break;
    case ControlKind::ListBox:
        widget = new QListWidget(&parent);
        break;
    case ControlKind::Table: // only in the windows of the menu, which the main form is not
        widget = new QTableWidget(&parent);
        break;
    case ControlKind::Button:
        widget = new QPushButton(Text(design.text), &parent);
        colorRole = QPalette::Button;
        break;
    case ControlKind::Label:
        widget = new QLabel(Text(design.text), &parent);
        widget->setAutoFillBackground(true);
        colorRole = QPalette::Window;
        break;
    }
    if (design.backColor) {
        QPalette palette = widget->palette();
        palette.setColor(colorRole, Color(*design.backColor));
        widget->setPalette(palette);
    }
    widget->setAccessibleName(Text(design.accessibleName));
    return widget;
}

} // namespace

int main(int argc, char **argv) {
    korvanta::bench::MarkPhase(korvanta::bench::Phase::Main);
    QApplication app(argc, argv);
    korvanta::bench::QuitAfterFirstPaint();
    const FormSpec &form = MainForm();

    QWidget window;
    window.setWindowTitle(Text(form.caption));
    window.setFont(QFont(Text(form.font.family), form.font.pointSize));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Color(form.backColor));
    window.setPalette(palette);

    const int dpi = window.logicalDpiX();
    for (const ControlSpec &design : form.controls) {
        const PixelRect rect = TwipsToPixels(VisibleRect(design, form), dpi);
        MakeControl(design, window)->setGeometry(rect.left, rect.top, rect.width, rect.height);
    }
    window.setFixedSize(TwipsToPixels(form.clientWidth, dpi), TwipsToPixels(form.clientHeight, dpi));
    if (const QScreen *screen = window.screen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }

    window.show();
    return app.exec();
}
