// SPDX-License-Identifier: MIT
// A user's hand on the Qt windows: real mouse clicks on buttons and list and table rows,
// and real key presses into the inputs and the windows, delivered to the widgets as Qt
// delivers a user's.
#pragma once

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
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

// Clicks a row of a table as a user does, on its first cell.
inline void ClickRow(QTableWidget &table, int row) {
    const QModelIndex cell = table.model()->index(row, 0);
    ASSERT_TRUE(cell.isValid()) << "row " << row;
    table.scrollTo(cell);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, table.visualRect(cell).center());
}

// Whether `window` becomes the one with the keyboard. (QTest::qWaitForWindowActive also
// takes a window whose owner is active for active.)
inline bool Activated(QWidget &window) {
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
}

// Makes a window the active one, as a user's click on it does, and presses a key in it.
inline void PressKey(QWidget &window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    window.activateWindow();
    EXPECT_TRUE(Activated(window));
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr && focus->window() == &window ? focus : &window, static_cast<Qt::Key>(key),
                    modifiers);
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
// shows its rows, one a line; a table its headings, tab-separated.
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
    if (auto *table = qobject_cast<QTableWidget *>(&widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            rows << table->horizontalHeaderItem(column)->text();
        }
        return rows.join(QLatin1Char('\t'));
    }
    if (auto *list = qobject_cast<QListWidget *>(&widget)) {
        for (int i = 0; i < list->count(); ++i) {
            rows << list->item(i)->text();
        }
    }
    return rows.join(QLatin1Char('\n'));
}

class QtDriver final : public ProgramDriver {
public:
    explicit QtDriver(int dpi = 96) : window_(dpi) { window_.show(); }

    QtWindow &window() { return window_; }
    QtHost &qtHost() { return host_; }

    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override {
        QTest::mouseClick(WidgetOf<QPushButton>(window_, ControlArray::Command1, index), Qt::LeftButton);
    }
    void SelectRow(std::int16_t list, std::int16_t row) override { ChooseRow(ControlArray::List1, list, row); }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        if (auto *edit = qobject_cast<QLineEdit *>(WindowOf(array, index).Widget(array, index))) {
            TypeInto(*edit, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        } else {
            ADD_FAILURE() << "only the inputs take typing";
        }
    }
    std::string Caption(ControlArray array, std::int16_t index) override {
        // A box of several lines shows each CR LF as a line break of its own.
        return ShownText(*WindowOf(array, index).Widget(array, index))
            .replace(QLatin1Char('\n'), QLatin1String("\r\n"))
            .toStdString();
    }

    Window &main() override { return window_; }
    WindowHost &host() override { return host_; }
    void PressFunctionKey(int key) override { PressKey(window_, Qt::Key_F1 + key - 1); }
    void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) override {
        QWidget *widget = WindowOf(array, index).Widget(array, index);
        if (auto *table = qobject_cast<QTableWidget *>(widget)) {
            ClickRow(*table, row);
        } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
            ClickRow(*list, row);
        } else {
            ADD_FAILURE() << "not a list or a table";
        }
    }
    bool Shown(const FormSpec &form) override {
        const QtWindow *built = host_.Built(form);
        return built != nullptr && built->isVisible();
    }
    void PressEscape(const FormSpec &form) override { PressKey(*host_.Built(form), Qt::Key_Escape); }
    void Click(ControlArray array, std::int16_t index) override {
        QTest::mouseClick(WidgetOf<QPushButton>(WindowOf(array, index), array, index), Qt::LeftButton);
    }
    // The key goes to the box through Qt's key handling, as a user's key in it does.
    void PressEnter(ControlArray array, std::int16_t index) override {
        QTest::keyClick(WidgetOf<QLineEdit>(WindowOf(array, index), array, index), Qt::Key_Return);
    }

private:
    QtWindow &WindowOf(ControlArray array, std::int16_t index) {
        const FormSpec *form = FormOf(array, index);
        QtWindow *window = form == &MainForm() ? &window_ : host_.Built(*form);
        if (window == nullptr) {
            std::abort(); // a control of a window that is not open
        }
        return *window;
    }

    QtWindow window_;
    QtHost host_{window_};
};

} // namespace korvanta::testing
