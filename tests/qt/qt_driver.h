// SPDX-License-Identifier: MIT
// A user's hand on the Qt window: real mouse clicks on buttons and list rows, and real
// key presses into the inputs, delivered to the widgets as Qt delivers a user's.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "backends/qt/qt_window.h"
#include "tests/window_driver.h"

namespace korvanta::testing {

// The widget of a control, as the class the window made it.
template <typename W> W *WidgetOf(const QtWindow &window, ControlArray array, int index) {
    auto *widget = qobject_cast<W *>(window.Widget(array, index));
    if (widget == nullptr) {
        ADD_FAILURE() << "no such widget of that class";
    }
    return widget;
}

// Clicks a row of a list as a user does: scrolled into view, then clicked.
inline void ClickRow(QListWidget &list, int row) {
    QListWidgetItem *item = list.item(row);
    ASSERT_NE(item, nullptr) << "row " << row;
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(item).center());
}

// Replaces the text of an input from the keyboard: select all, then type.
inline void TypeInto(QLineEdit &edit, const QString &text) {
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(&edit, c.toLatin1());
        } else { // a letter with no key of its own on a Latin keyboard
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// The window catches up with what the program wrote: its boxes take their new text and
// its lists scroll to their newest row in the next turn of the event loop.
inline void Settle() { QCoreApplication::processEvents(); }

// What a control shows once the window has caught up, in the widget's own terms: a list
// shows its rows, one a line.
inline QString ShownText(QWidget &widget) {
    Settle();
    if (auto *label = qobject_cast<QLabel *>(&widget)) {
        return label->text();
    }
    if (auto *button = qobject_cast<QPushButton *>(&widget)) {
        return button->text();
    }
    if (auto *edit = qobject_cast<QLineEdit *>(&widget)) {
        return edit->text();
    }
    if (auto *box = qobject_cast<QPlainTextEdit *>(&widget)) {
        return box->toPlainText();
    }
    QStringList rows;
    if (auto *list = qobject_cast<QListWidget *>(&widget)) {
        for (int i = 0; i < list->count(); ++i) {
            rows << list->item(i)->text();
        }
    }
    return rows.join(QLatin1Char('\n'));
}

class QtDriver final : public WindowDriver {
public:
    explicit QtDriver(int dpi = 96) : window_(dpi) { window_.show(); }

    QtWindow &window() { return window_; }

    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override {
        QTest::mouseClick(WidgetOf<QPushButton>(window_, ControlArray::Command1, index), Qt::LeftButton);
    }
    void SelectRow(std::int16_t list, std::int16_t row) override {
        ClickRow(*WidgetOf<QListWidget>(window_, ControlArray::List1, list), row);
    }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        if (auto *edit = qobject_cast<QLineEdit *>(window_.Widget(array, index))) {
            TypeInto(*edit, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        } else {
            ADD_FAILURE() << "only the inputs take typing";
        }
    }
    std::string Caption(ControlArray array, std::int16_t index) override {
        // A box of several lines shows each CR LF as a line break of its own.
        return ShownText(*window_.Widget(array, index)).replace(QLatin1Char('\n'), QLatin1String("\r\n")).toStdString();
    }

private:
    QtWindow window_;
};

} // namespace korvanta::testing
