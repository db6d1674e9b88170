// SPDX-License-Identifier: MIT
// The real Qt window: what it shows as it opens, and how it answers a user's mouse and
// keyboard, on Qt's offscreen platform.
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "backends/qt/main_window.h"
#include "tests/qt/qt_driver.h"
#include "ui/form.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor Colour(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QColor PixelOf(QWidget &widget, QPoint point) { return widget.grab().toImage().pixelColor(point); }

std::string Name(const ControlSpec &design) {
    return std::string(design.name) + "(" + std::to_string(design.index) + ")";
}

QStringList Rows(const QListWidget &list) {
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) {
        rows << list.item(i)->text();
    }
    return rows;
}

int SelectedRow(const QListWidget &list) {
    const QList<QListWidgetItem *> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.front());
}

// The window with the form Korvanta on it, shown.
class QtWindowTest : public ::testing::Test {
protected:
    QtWindowTest() {
        window.Connect(form);
        window.show();
    }

    template <typename W> W *Get(ControlArray array, int index) { return WidgetOf<W>(window, array, index); }
    QPushButton *Calculate() { return Get<QPushButton>(ControlArray::Command1, 0); }
    QPushButton *Clear() { return Get<QPushButton>(ControlArray::Command1, 1); }
    QListWidget *Column(int index) { return Get<QListWidget>(ControlArray::List1, index); }
    QLineEdit *Input(int index) { return Get<QLineEdit>(ControlArray::Text2, index); }
    QPlainTextEdit *Box(int index) { return Get<QPlainTextEdit>(ControlArray::Text1, index); }

    void PressCalculate(int times) {
        for (int i = 0; i < times; ++i) {
            QTest::mouseClick(Calculate(), Qt::LeftButton);
        }
    }

    QtWindow window{96};
    Korvanta form{window.controls()};
};

const char *ClassOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return "QLineEdit";
    case ControlKind::MultiLineTextBox:
        return "QPlainTextEdit";
    case ControlKind::ListBox:
    case ControlKind::Table:
        return "QListWidget";
    case ControlKind::Button:
        return "QPushButton";
    case ControlKind::Label:
        return "QLabel";
    }
    return "";
}

TEST_F(QtWindowTest, OpensAtItsFixedSizeWithCaptionIconAndBackColour) {
    EXPECT_EQ(window.size(), QSize(481, 424));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window cannot be resized";
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("www.example.org Математика - цвлочислено умножение"));
    EXPECT_EQ(window.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    EXPECT_EQ(PixelOf(window, {2, 2}), QColor(128, 128, 255));
    EXPECT_EQ(PixelOf(window, {478, 300}), QColor(128, 128, 255));
}

TEST_F(QtWindowTest, EveryControlIsMadeFromTheDescription) {
    for (const ControlSpec &design : MainForm().controls) {
        SCOPED_TRACE(Name(design));
        QWidget *widget = window.Widget(design.array, design.index);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), ClassOf(design.kind));

        // 15 twips a pixel at 96 DPI; every edge of the description falls on a pixel.
        const TwipRect twips = VisibleRect(design);
        for (int value : {twips.left, twips.top, twips.width, twips.height}) {
            EXPECT_EQ(value % 15, 0);
        }
        EXPECT_EQ(widget->geometry(), QRect(twips.left / 15, twips.top / 15, twips.width / 15, twips.height / 15));

        EXPECT_EQ(ShownText(*widget), Q(design.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        EXPECT_EQ(widget->accessibleName(), Q(design.accessibleName));
        EXPECT_EQ(widget->font().family(), QStringLiteral("Times New Roman"));
        const QFontInfo font(widget->font());
        EXPECT_EQ(font.family(), QStringLiteral("Liberation Serif")) << "Times New Roman's stand-in with Cyrillic";
        EXPECT_EQ(font.pixelSize(), 16);
        EXPECT_EQ(font.pointSize(), 12);
        EXPECT_EQ(font.weight(), QFont::Normal);
        EXPECT_FALSE(font.italic() || font.underline() || font.strikeOut());
        if (auto *input = qobject_cast<QLineEdit *>(widget)) {
            EXPECT_EQ(input->maxLength(), design.maxLength);
        }

        // Labels and buttons paint their own colour; the two boxes stay white.
        if (design.backColor) {
            EXPECT_EQ(PixelOf(*widget, {4, 4}), Colour(*design.backColor));
        } else if (design.kind == ControlKind::MultiLineTextBox) {
            EXPECT_EQ(PixelOf(*widget, {4, widget->height() - 4}), QColor(Qt::white));
        }
    }
}

TEST_F(QtWindowTest, BoxesOfSeveralLinesWrapScrollAndOnlyShowText) {
    for (int i = 0; i <= 1; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(Box(i)->isReadOnly());
        EXPECT_EQ(Box(i)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(Box(i)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_TRUE(Box(i)->verticalScrollBar()->isVisible());
        EXPECT_FALSE(Box(i)->horizontalScrollBar()->isVisible());
        EXPECT_TRUE(Box(i)->focusPolicy() & Qt::TabFocus) << "its text can be read from the keyboard";
        EXPECT_FALSE(Input(i)->isReadOnly());
    }
    // The auxiliary box lies on top where the two boxes overlap.
    QWidget *top = window.childAt(300, 380);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(Box(1)->isAncestorOf(top));
    EXPECT_TRUE(Box(0)->geometry().contains(300, 380));
    // The task statement does not fit: the working box scrolls.
    EXPECT_GT(Box(0)->verticalScrollBar()->maximum(), 0);
}

TEST_F(QtWindowTest, TabFollowsTheDescriptionAndLabelsNameTheirInputs) {
    std::vector<QWidget *> expected;
    for (const ControlSpec &design : MainForm().controls) {
        if (design.kind != ControlKind::Label) {
            expected.push_back(window.Widget(design.array, design.index));
        }
    }
    std::vector<QWidget *> order;
    QWidget *widget = expected.front();
    do {
        if (widget->parentWidget() == &window && (widget->focusPolicy() & Qt::TabFocus)) {
            order.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    } while (widget != expected.front());
    EXPECT_EQ(order, expected);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), expected.front()) << "the first control has the focus as the window opens";

    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(Get<QLabel>(ControlArray::Label2, i)->buddy(), Input(i));
    }
    EXPECT_EQ(Get<QLabel>(ControlArray::Label1, 0)->buddy(), nullptr);
    EXPECT_EQ(Get<QLabel>(ControlArray::Label1, 0)->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(Get<QLabel>(ControlArray::Label2, 0)->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    QAccessibleInterface *input = QAccessible::queryAccessibleInterface(Input(0));
    ASSERT_NE(input, nullptr);
    const auto labels = input->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front().first->object(), Get<QLabel>(ControlArray::Label2, 0));
}

TEST_F(QtWindowTest, TheWorkedExampleByClicksAndClearAfterIt) {
    PressCalculate(4);
    EXPECT_EQ(Rows(*Column(0)), QStringList({"24", "48", "96", "192", "384"}));
    EXPECT_EQ(Rows(*Column(1)), QStringList({"26", "13", "6", "3", "1"}));
    EXPECT_EQ(ShownText(*Box(0)), QStringLiteral("48 + 192 + 384 = 624\n"));
    EXPECT_EQ(window.controls().Text1(0).Text(), "48 + 192 + 384 = 624\r\n");
    EXPECT_FALSE(Calculate()->isEnabled());
    // The last row can be seen.
    EXPECT_TRUE(Column(0)->viewport()->rect().contains(Column(0)->visualItemRect(Column(0)->item(4))));

    PressCalculate(1);
    EXPECT_EQ(Column(0)->count(), 5) << "the disabled button takes no click";
    for (QLineEdit *input : {Input(0), Input(1)}) {
        QTest::keyClick(input, Qt::Key_Return);
    }
    EXPECT_EQ(Column(0)->count(), 5) << "nor does Enter press it";

    QTest::mouseClick(Clear(), Qt::LeftButton);
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(Column(i)->count(), 0);
        EXPECT_EQ(Input(i)->text(), QString());
    }
    EXPECT_EQ(ShownText(*Box(0)), QString());
    EXPECT_TRUE(Calculate()->isEnabled());
}

TEST_F(QtWindowTest, EnterInEitherInputPressesCalculate) {
    struct Case {
        const char *name;
        int input;
        Qt::Key key;
    };
    for (const Case &c : {Case{"Return in Number 1", 0, Qt::Key_Return}, Case{"Return in Number 2", 1, Qt::Key_Return},
                          Case{"keypad Enter in Number 2", 1, Qt::Key_Enter}}) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(Clear(), Qt::LeftButton);
        TypeInto(*Input(0), QStringLiteral("34"));
        TypeInto(*Input(1), QStringLiteral("44"));
        QTest::keyClick(Input(c.input), c.key);
        EXPECT_EQ(Rows(*Column(0)), QStringList({"34", "68"}));
        EXPECT_EQ(Rows(*Column(1)), QStringList({"44", "22"}));
    }
}

TEST_F(QtWindowTest, ARowChosenInEitherColumnIsChosenInBoth) {
    PressCalculate(4);
    struct Case {
        const char *name;
        int list;
        int row;
    };
    for (const Case &c : {Case{"right column, row 2", 1, 2}, Case{"left column, row 4", 0, 4},
                          Case{"left column, first row", 0, 0}, Case{"right column, last row", 1, 4}}) {
        SCOPED_TRACE(c.name);
        ClickRow(*Column(c.list), c.row);
        EXPECT_EQ(SelectedRow(*Column(0)), c.row);
        EXPECT_EQ(SelectedRow(*Column(1)), c.row);
    }
    // The keyboard moves the selection too, and the other column follows.
    QTest::keyClick(Column(1), Qt::Key_Up);
    EXPECT_EQ(SelectedRow(*Column(1)), 3);
    EXPECT_EQ(SelectedRow(*Column(0)), 3);
}

TEST_F(QtWindowTest, ASelectionByTheAccessibilityInterfaceMovesBothColumns) {
    PressCalculate(2);
    // Screen readers select rows without making them current.
    QAccessibleInterface *right = QAccessible::queryAccessibleInterface(Column(1));
    ASSERT_NE(right, nullptr);
    ASSERT_NE(right->tableInterface(), nullptr);
    EXPECT_TRUE(right->tableInterface()->selectRow(1));
    EXPECT_EQ(SelectedRow(*Column(1)), 1);
    EXPECT_EQ(SelectedRow(*Column(0)), 1);
    EXPECT_EQ(Column(1)->currentRow(), -1);

    Column(0)->selectionModel()->select(Column(0)->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(SelectedRow(*Column(0)), 2);
    EXPECT_EQ(SelectedRow(*Column(1)), 2);
}

TEST_F(QtWindowTest, TextsComeBackAsWrittenAndShowTheirLineBreaks) {
    TextBox &working = window.controls().Text1(0);
    working.SetText("ред 1\r\nред 2\r\n");
    EXPECT_EQ(working.Text(), "ред 1\r\nред 2\r\n");
    EXPECT_EQ(ShownText(*Box(0)), QStringLiteral("ред 1\nред 2\n"));
    EXPECT_EQ(Box(0)->document()->blockCount(), 3);

    // What a user types into an input is what the form reads.
    TypeInto(*Input(1), QStringLiteral("44abc"));
    EXPECT_EQ(window.controls().Text2(1).Text(), "44abc");
    TypeInto(*Input(0), QStringLiteral("Число"));
    EXPECT_EQ(window.controls().Text2(0).Text(), "Число");
}

// The working box shows exactly the last text written to it, however the text changed:
// only a new end is added to what it shows, where that shows the same as the whole text.
TEST_F(QtWindowTest, TheWorkingBoxShowsExactlyTheLastTextWritten) {
    struct Case {
        const char *name;
        std::vector<std::vector<std::string>> turns; // what is written in each turn of the event loop
        QString shown;
        int lines; // the widget's paragraphs
    };
    const Case cases[] = {
        {"grows at its end", {{"48 + "}, {"48 + 96 + "}}, "48 + 96 + ", 1},
        {"grows by whole lines", {{"1"}, {"1\r\n2\r\n"}}, "1\n2\n", 3},
        {"a CR LF split between two turns", {{"1\r"}, {"1\r\n2"}}, "1\n2", 2},
        {"a letter split between two turns", {{"\xd0"}, {"\xd0\xb4"}}, "д", 1},
        {"shrinks", {{"48 + 96 + "}, {"48 + "}}, "48 + ", 1},
        {"replaced", {{"48 + "}, {std::string(kNotGreaterThanOne)}}, Q(kNotGreaterThanOne), 1},
        {"emptied", {{"1\r\n"}, {""}}, "", 1},
        {"the same again", {{"1\r\n"}, {"1\r\n"}}, "1\n", 2},
        {"written three times in one turn", {{"", "48 + ", "48 + 96 + "}}, "48 + 96 + ", 1},
    };
    TextBox &working = window.controls().Text1(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto &turn : c.turns) {
            for (const std::string &text : turn) {
                working.SetText(text);
                EXPECT_EQ(working.Text(), text) << "read back at once, as written";
            }
            Settle();
        }
        EXPECT_EQ(Box(0)->toPlainText(), c.shown);
        EXPECT_EQ(Box(0)->document()->blockCount(), c.lines);
    }
}

// Over the longest table, after every press: each column shows its newest row, scrolled
// to once the rows outgrow it, and both boxes show what the form wrote to them.
TEST_F(QtWindowTest, AfterEveryPressTheNewestRowAndTheTextsWrittenShow) {
    TypeInto(*Input(0), QStringLiteral("123"));
    TypeInto(*Input(1), QStringLiteral("32767"));
    for (int press = 1; Calculate()->isEnabled() && press <= 15; ++press) {
        SCOPED_TRACE(press);
        PressCalculate(1);
        Settle();
        for (int i = 0; i <= 1; ++i) {
            const QListWidget &column = *Column(i);
            EXPECT_TRUE(column.viewport()->rect().contains(column.visualItemRect(column.item(column.count() - 1))));
            EXPECT_EQ(column.verticalScrollBar()->value(), column.verticalScrollBar()->maximum());
            const std::string written = window.controls().Text1(i).Text();
            EXPECT_EQ(ShownText(*Box(i)), Q(written).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        }
    }
    EXPECT_FALSE(Calculate()->isEnabled());
    EXPECT_EQ(Column(0)->count(), 15);
    EXPECT_GT(Column(0)->verticalScrollBar()->maximum(), 0) << "the rows outgrew the column";
    EXPECT_TRUE(window.controls().Text1(0).Text().ends_with(" = 4030341\r\n"));
}

// A pointer resting on a column hovers whichever row scrolls under it.
TEST_F(QtWindowTest, APointerOnAColumnHoversTheRowScrolledUnderIt) {
    TypeInto(*Input(0), QStringLiteral("123"));
    TypeInto(*Input(1), QStringLiteral("32767"));
    QListWidget &column = *Column(0);
    const QPoint spot = column.viewport()->rect().center();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCursor::setPos(column.viewport()->mapToGlobal(spot));
    QTest::mouseMove(window.windowHandle(), column.viewport()->mapTo(&window, spot));
    ASSERT_TRUE(column.viewport()->underMouse());
    QObject context; // ends the connection with the test
    QModelIndex hovered;
    QObject::connect(&column, &QListWidget::entered, &context, [&](const QModelIndex &index) { hovered = index; });
    while (Calculate()->isEnabled()) {
        PressCalculate(1);
        Settle();
    }
    ASSERT_GT(column.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(hovered.isValid());
    EXPECT_EQ(hovered, column.indexAt(spot));
}

// The whole window scales with the logical resolution, fonts included.
TEST(QtWindowResolution, PlacesSizesAndFontFollowTheDpi) {
    struct Case {
        int dpi;
        QSize client;
        int fontPixels;
    };
    for (const Case &c :
         {Case{96, {481, 424}, 16}, Case{120, {601, 530}, 20}, Case{144, {722, 636}, 24}, Case{192, {962, 848}, 32}}) {
        SCOPED_TRACE(c.dpi);
        QtWindow window(c.dpi);
        EXPECT_EQ(window.size(), c.client);
        EXPECT_EQ(window.font().pixelSize(), c.fontPixels);
        for (const ControlSpec &design : MainForm().controls) {
            SCOPED_TRACE(Name(design));
            const QRect rect = window.Widget(design.array, design.index)->geometry();
            const TwipRect twips = VisibleRect(design);
            const double scale = c.dpi / 1440.0;
            EXPECT_LE(std::abs(rect.left() - twips.left * scale), 0.5);
            EXPECT_LE(std::abs(rect.top() - twips.top * scale), 0.5);
            EXPECT_LE(std::abs(rect.x() + rect.width() - twips.right() * scale), 0.5);
            EXPECT_LE(std::abs(rect.y() + rect.height() - twips.bottom() * scale), 0.5);
        }
    }
}

// Each of Qt's styles paints the buttons in their colours, and shows focus and the disabled state.
TEST(QtWindowStyles, ButtonsKeepTheirColoursUnderEveryStyle) {
    const QString original = QApplication::style()->name();
    for (const QString &key : QStyleFactory::keys()) {
        SCOPED_TRACE(key.toStdString());
        QApplication::setStyle(key);
        QtWindow window(96);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        for (int index = 0; index <= 1; ++index) {
            SCOPED_TRACE(index);
            const QColor colour = Colour(*FindControl(ControlArray::Command1, index)->backColor);
            auto *button = WidgetOf<QPushButton>(window, ControlArray::Command1, index);
            const QPoint inside(6, button->height() / 2);
            EXPECT_EQ(PixelOf(*button, inside), colour);

            window.Widget(ControlArray::Text2, 0)->setFocus();
            const QColor edge = PixelOf(*button, {0, 0});
            button->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(button->hasFocus());
            EXPECT_NE(PixelOf(*button, {0, 0}), edge) << "focus shows";
            EXPECT_EQ(PixelOf(*button, inside), colour);

            button->setEnabled(false);
            const QColor faded = PixelOf(*button, inside);
            EXPECT_NE(faded, colour) << "disabled shows";
            // Still the same hue, only paler.
            EXPECT_EQ(faded.hue(), colour.hue());
            button->setEnabled(true);
        }
    }
    QApplication::setStyle(original);
}

// The program's start: the window opens centred with the form working behind it, and
// closing it ends the event loop.
TEST(QtProgram, OpensCentredAndClosingTheWindowEndsIt) {
    QRect opened;
    QRect screen;
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible()) {
                opened = widget->geometry();
                screen = widget->screen()->availableGeometry();
                title = widget->windowTitle();
                widget->close();
            }
        }
    });
    EXPECT_EQ(RunMainWindow(*qobject_cast<QApplication *>(QCoreApplication::instance())), 0);
    EXPECT_EQ(title, Q(MainForm().caption));
    EXPECT_EQ(opened.size(), QSize(481, 424));
    EXPECT_LE((opened.center() - screen.center()).manhattanLength(), 2);
}

// The window of the menu on Qt: Tab leaves the table and its cells take no typing; it
// reopens where the user left it; the text boxes keep their own edit menu for Shift+F10;
// and it closes with the main window.
TEST(QtExplanation, ReadOnlyCellsItsPlaceEditMenusAndClosingWithTheMainWindow) {
    QtDriver driver;
    Program program(driver.main(), driver.host());
    driver.PressFunctionKey(1);
    QtWindow &why = *driver.qtHost().Built(ExplainForm());
    ASSERT_TRUE(Activated(why)) << "shown with the keyboard";
    auto *table = WidgetOf<QTableWidget>(why, ControlArray::ExplainRows, 0);
    ClickRow(*table, 1);
    QTest::keyClick(table, Qt::Key_7);
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("1"));
    EXPECT_TRUE(table->viewport()->findChildren<QLineEdit *>().isEmpty()) << "no cell opened for editing";
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), why.Widget(ControlArray::ExplainText, 0));

    why.move(why.pos() + QPoint(30, 20));
    const QPoint left = why.pos();
    why.close(); // its close button
    driver.window().move(driver.window().pos() + QPoint(5, 5));
    driver.PressFunctionKey(1);
    EXPECT_EQ(why.pos(), left);
    EXPECT_TRUE(table->isVisible()) << "shown again whole";
    EXPECT_EQ(driver.qtHost().Built(ExplainForm()), &why);

    QString menuShown; // the first entry of the menu that opened, with its key
    const auto pressShiftF10In = [&](QWidget *focus) {
        driver.window().activateWindow();
        ASSERT_TRUE(Activated(driver.window()));
        focus->setFocus();
        menuShown.clear();
        QTimer::singleShot(0, [&] { // in the menu's own event loop, or after a menu that does not wait
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                menuShown = menu->actions().front()->text() + " " + menu->actions().front()->shortcut().toString();
                menu->close();
            }
        });
        QTest::keyClick(focus, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !menuShown.isEmpty(); }, 1000)) << "a menu";
    };
    pressShiftF10In(driver.window().Widget(ControlArray::List1, 1));
    EXPECT_EQ(menuShown, QStringLiteral("Защо става така? F1"));
    pressShiftF10In(driver.window().Widget(ControlArray::Text2, 0));
    EXPECT_FALSE(menuShown.startsWith(QStringLiteral("Защо"))) << "the input's own edit menu";

    driver.window().close();
    EXPECT_FALSE(why.isVisible());
}

// The practice window on Qt: the menu's second entry, with its key, opens it, built then
// and not before, as a dialog of the main window. (The end-to-end test reads the rest.)
TEST(QtPractice, TheMenusSecondEntryWithF2BuildsItOnFirstUse) {
    QtDriver driver;
    Program program(driver.main(), driver.host());
    const QList<QAction *> menu = driver.window().actions();
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu[1]->text() + " " + menu[1]->shortcut().toString(), QStringLiteral("Упражнение F2"));
    EXPECT_EQ(driver.qtHost().Built(PracticeForm()), nullptr);
    driver.PressFunctionKey(2);
    const QtWindow *practice = driver.qtHost().Built(PracticeForm());
    ASSERT_NE(practice, nullptr);
    EXPECT_TRUE(practice->windowFlags() & Qt::Dialog);
    EXPECT_EQ(practice->parentWidget(), &driver.window());
}

} // namespace
} // namespace korvanta::testing
