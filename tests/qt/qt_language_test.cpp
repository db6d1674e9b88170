// SPDX-License-Identifier: MIT
// The Qt windows in every language the program carries: each caption fits its control,
// and a language chosen in the menu reaches every open window at once, its words, its
// menu and the language it tells screen readers.
#include <QFontMetrics>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "backends/qt/main_window.h"
#include "calc/texts.h"
#include "tests/qt/qt_driver.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

struct BackToBulgarian {
    ~BackToBulgarian() { SetLanguage("bg"); }
};

// The width a button really gives its caption: inside its border and padding, as the
// button's style (a style sheet for the coloured ones) lays it out.
int CaptionRoom(const QPushButton &button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width();
}

// A label gives its caption its contents, less its margin on either side.
int CaptionRoom(const QLabel &label) { return label.contentsRect().width() - 2 * label.margin(); }

// At 96 DPI, with the real font: every label and button of every form, every heading of
// every table, in every language, a new one included.
TEST(QtLanguages, EveryCaptionFitsItsControlInEveryLanguage) {
    BackToBulgarian guard;
    for (const LanguageInfo &language : Languages()) {
        ASSERT_TRUE(SetLanguage(language.code));
        for (const FormSpec *form : AllForms()) {
            QtWindow window(96, *form);
            window.show(); // the tables' last columns take the rest of their width
            for (const ControlSpec &design : form->controls) {
                SCOPED_TRACE(std::string(language.code) + " " + std::string(design.name) + "(" +
                             std::to_string(design.index) + ")");
                QWidget *widget = window.Widget(design.array, design.index);
                const QFontMetrics metrics(widget->font());
                if (auto *button = qobject_cast<QPushButton *>(widget)) {
                    EXPECT_EQ(button->text(), Q(Tr(design.text)));
                    EXPECT_LE(metrics.horizontalAdvance(button->text()), CaptionRoom(*button)) << Tr(design.text);
                } else if (auto *label = qobject_cast<QLabel *>(widget)) {
                    EXPECT_EQ(label->text(), Q(Tr(design.text)));
                    EXPECT_LE(metrics.horizontalAdvance(label->text()), CaptionRoom(*label)) << Tr(design.text);
                    EXPECT_LE(metrics.height(), label->contentsRect().height());
                } else if (auto *table = qobject_cast<QTableWidget *>(widget)) {
                    // Each heading has room in its column, and the columns in the table.
                    const QHeaderView *header = table->horizontalHeader();
                    for (int column = 0; column < header->count(); ++column) {
                        EXPECT_LE(header->sectionSizeHint(column), header->sectionSize(column))
                            << table->horizontalHeaderItem(column)->text().toStdString();
                        if (language.code == "bg" && column + 1 < header->count()) { // the last one stretches
                            EXPECT_EQ(header->sectionSize(column),
                                      TwipsToPixels(design.columns[static_cast<std::size_t>(column)], 96))
                                << "in Bulgarian, the description's widths";
                        }
                    }
                    EXPECT_LE(header->length(), table->viewport()->width());
                }
            }
        }
    }
}

// The words of a window as the description says them in the language chosen now.
void ExpectInLanguage(QtWindow &window) {
    EXPECT_EQ(window.windowTitle(), Q(WindowCaption(window.form())));
    EXPECT_EQ(window.accessibleName(), window.windowTitle());
    EXPECT_EQ(window.locale().name().left(2), Q(CurrentLanguage()));
    for (const ControlSpec &design : window.form().controls) {
        SCOPED_TRACE(std::string(design.name) + "(" + std::to_string(design.index) + ")");
        QWidget *widget = window.Widget(design.array, design.index);
        EXPECT_EQ(widget->accessibleName(), Q(Tr(design.accessibleName)));
        EXPECT_EQ(widget->locale(), window.locale());
        if (design.kind == ControlKind::Label || design.kind == ControlKind::Button ||
            design.kind == ControlKind::Table) {
            EXPECT_EQ(ShownText(*widget), Q(Tr(design.text)));
        }
    }
}

// F1 opens its window; English from the menu, then F2 builds the practice in English; then
// Bulgarian again: every window follows each time, the menu too, with the language in use
// checked, and the language screen readers are told (the application's default locale,
// which Qt's AT-SPI reports).
TEST(QtLanguages, AChoiceInTheMenuReachesEveryWindow) {
    BackToBulgarian guard;
    QtDriver driver;
    Program program(driver.main(), driver.host());
    driver.PressFunctionKey(1);
    for (const auto &[code, language] : {std::pair{"en", QLocale::English}, std::pair{"bg", QLocale::Bulgarian}}) {
        SCOPED_TRACE(code);
        driver.ChooseLanguage(code);
        driver.PressFunctionKey(2);
        ASSERT_EQ(CurrentLanguage(), code);
        for (const FormSpec *form : AllForms()) {
            QtWindow &window = form == &MainForm() ? driver.window() : *driver.qtHost().Built(*form);
            EXPECT_EQ(window.locale().language(), language);
            ExpectInLanguage(window);
        }
        EXPECT_EQ(QLocale().language(), language) << "what AT-SPI reports";
        for (const LanguageInfo &entry : Languages()) {
            ASSERT_NE(LanguageAction(driver.window(), entry.code), nullptr);
            EXPECT_EQ(LanguageAction(driver.window(), entry.code)->isChecked(), entry.code == code) << entry.code;
        }
        EXPECT_EQ(driver.window().actions().front()->text(), Q(Tr(MainForm().menu.front().text)));
        if (code == std::string_view("en")) {
            EXPECT_EQ(driver.window().windowTitle(),
                      QStringLiteral("www.example.org Maths - multiplying by halving and doubling"));
        }
    }
}

} // namespace
} // namespace korvanta::testing
