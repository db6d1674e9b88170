// SPDX-License-Identifier: MIT
// Whatever a pupil types or pastes into the inputs of the real window, and however fast
// the buttons are pressed, the window answers with a row or one of its two messages:
// never a crash, a hang, or a number other than the one the input holds.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "calc/conversions.h"
#include "tests/qt/qt_driver.h"
#include "ui/form.h"

namespace korvanta::testing {
namespace {

// The most an input holds, as the window description sets it. A longer paste is cut
// there; the number is then read from what is held.
const qsizetype kLongestInput = FindControl(ControlArray::Text2, 0)->maxLength;

std::string Rows(const QListWidget &list) {
    std::string rows;
    for (int i = 0; i < list.count(); ++i) {
        rows += (i > 0 ? "|" : "") + list.item(i)->text().toStdString();
    }
    return rows;
}

class HostileInputTest : public ::testing::Test {
protected:
    HostileInputTest() {
        window.Connect(form);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }

    template <typename W> W *Get(ControlArray array, int index) { return WidgetOf<W>(window, array, index); }
    QLineEdit *Input(int index) { return Get<QLineEdit>(ControlArray::Text2, index); }
    QListWidget *Column(int index) { return Get<QListWidget>(ControlArray::List1, index); }
    QPushButton *Button(int index) { return Get<QPushButton>(ControlArray::Command1, index); }
    std::string Working() { return window.controls().Text1(0).Text(); }

    // Types each character into whichever control has the focus, as a keyboard does: a
    // tab moves the focus on, a line break is the Return key, anything else arrives as
    // the text of a key (a character outside the basic plane as one key).
    void TypeKeys(QLineEdit &input, const QString &text) {
        input.setFocus();
        QTest::keyClick(&input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&input, Qt::Key_Delete);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString key = text.mid(i, length);
            i += length - 1;
            QWidget *target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &input;
            if (key == QLatin1String("\t")) {
                QTest::keyClick(target, Qt::Key_Tab);
            } else if (key == QLatin1String("\n")) {
                QTest::keyClick(target, Qt::Key_Return);
            } else {
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, key, Qt::NoModifier);
            }
        }
    }
    // Text committed by an input method, as an emoji picker or a composing keyboard sends it.
    void Compose(QLineEdit &input, const QString &text) {
        input.clear();
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&input, &event);
    }
    void Paste(QLineEdit &input, const QString &text) {
        input.clear();
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&input, Qt::Key_V, Qt::ControlModifier);
    }

    QtWindow window{96};
    Korvanta form{window.controls()};
    bool active = false;
};

enum class Entry { Keys, InputMethod, Paste };

struct HostileCase {
    const char *name;
    Entry entry;
    QString number1;  // Number 2 keeps its "26", unless a tab moves on to it
    std::string left; // the rows of both columns after one press of Calculate
    std::string right;
    std::string working;
    friend void PrintTo(const HostileCase &value, std::ostream *out) { *out << value.name; }
};

class HostileText : public HostileInputTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileText, GivesARowOrAMessageForTheNumberTheInputHolds) {
    const HostileCase &c = GetParam();
    ASSERT_TRUE(active) << "the window must have the focus to be typed into";
    switch (c.entry) {
    case Entry::Keys:
        TypeKeys(*Input(0), c.number1);
        break;
    case Entry::InputMethod:
        Compose(*Input(0), c.number1);
        break;
    case Entry::Paste:
        Paste(*Input(0), c.number1);
        EXPECT_TRUE(c.number1.startsWith(Input(0)->text())) << "a paste is kept from its start";
        break;
    }
    const std::string held[] = {window.controls().Text2(0).Text(), window.controls().Text2(1).Text()};
    EXPECT_LE(Input(0)->text().size(), kLongestInput);
    QTest::mouseClick(Button(0), Qt::LeftButton);
    window.grab(); // everything shown; a window that hangs here is the test runner's timeout to catch

    EXPECT_EQ(Rows(*Column(0)), c.left);
    EXPECT_EQ(Rows(*Column(1)), c.right);
    EXPECT_EQ(Working(), c.working);
    if (Column(0)->count() > 0) {
        // The table starts from exactly the numbers the inputs held.
        EXPECT_EQ(Column(0)->item(0)->text().toStdString(), NumberToText(TextToNumber(held[0])));
        EXPECT_EQ(Column(1)->item(0)->text().toStdString(),
                  NumberToText(std::int32_t(std::nearbyint(TextToNumber(held[1])))));
    }
}

const std::string kTable24 = "24|48", kTable26 = "26|13";
const std::string kMessage(kNotGreaterThanOne), kTooLargeMessage(kTooLarge);
const QString kMegabyteOfNines(1 << 20, QLatin1Char('9'));

INSTANTIATE_TEST_SUITE_P(
    Inputs, HostileText,
    ::testing::Values(
        HostileCase{"ControlCharactersAreNotTyped", Entry::Keys,
                    QStringLiteral("2\x01\x02"
                                   "4\x1b\x7f"),
                    kTable24, kTable26, "48 + "},
        HostileCase{"TabMovesOnToNumber2", Entry::Keys, QStringLiteral("2\t4"), "2|4", "4|2", ""},
        HostileCase{"ReturnPressesCalculate", Entry::Keys, QStringLiteral("24\n"), "24|48|96", "26|13|6", "48 + "},
        HostileCase{"RightToLeftMarkFirst", Entry::Keys, QStringLiteral("\u200f24"), "", "", kMessage},
        HostileCase{"LeftToRightMarkLast", Entry::Keys, QStringLiteral("24\u200e"), kTable24, kTable26, "48 + "},
        HostileCase{"FullWidthDigits", Entry::Keys, QStringLiteral("２４"), "", "", kMessage},
        HostileCase{"EmojiEndsTheNumber", Entry::Keys, QStringLiteral("2😀4"), "2|4", "26|13", "4 + "},
        HostileCase{"EmojiFirst", Entry::InputMethod, QStringLiteral("😀24"), "", "", kMessage},
        HostileCase{"DigitOutsideTheBasicPlane", Entry::InputMethod, QStringLiteral("24𝟓"), kTable24, kTable26,
                    "48 + "},
        HostileCase{"LoneSurrogateTyped", Entry::Keys, QStringLiteral("2") + QChar(0xDC00) + QStringLiteral("4"),
                    kTable24, kTable26, "48 + "},
        HostileCase{"LoneSurrogateComposedAfterTheNumber", Entry::InputMethod,
                    QStringLiteral("24") + QChar(0xD800) + QStringLiteral("5"), kTable24, kTable26, "48 + "},
        HostileCase{"LoneSurrogateComposedFirst", Entry::InputMethod, QChar(0xD800) + QStringLiteral("24"), "", "",
                    kMessage},
        HostileCase{"MegabyteOfDigitsPasted", Entry::Paste, kMegabyteOfNines, "", "", kTooLargeMessage},
        HostileCase{"MegabyteAfterANumberPasted", Entry::Paste, "24" + QString(1 << 20, QLatin1Char('x')), kTable24,
                    kTable26, "48 + "},
        HostileCase{"MegabyteOfBlanksBeforeANumberPasted", Entry::Paste, QString(1 << 20, QLatin1Char(' ')) + "24", "",
                    "", kMessage},
        HostileCase{"LineBreaksPasted", Entry::Paste, QStringLiteral("2\n4\r\n5"), kTable24, kTable26, "48 + "},
        HostileCase{"TabsPasted", Entry::Paste, QStringLiteral("\t2\t4"), kTable24, kTable26, "48 + "},
        HostileCase{"ControlCharacterPasted", Entry::Paste,
                    QStringLiteral("2\x01"
                                   "4"),
                    "2|4", "26|13", "4 + "}),
    [](const auto &info) { return std::string(info.param.name); });

// The rows and working text of 24 x 26 after each press of Calculate.
const std::string kRows24[] = {"", "24|48", "24|48|96", "24|48|96|192", "24|48|96|192|384"};
const std::string kWorking24[] = {"", "48 + ", "48 + ", "48 + 192 + ", "48 + 192 + 384 = 624\r\n"};

TEST_F(HostileInputTest, AThousandPressesInARowKeepTheTableRight) {
    int presses = 0; // effective presses of Calculate since the table started
    for (int press = 0; press < 1000; ++press) {
        if (press % 7 == 6) {
            QTest::mouseClick(Button(1), Qt::LeftButton);
            ASSERT_EQ(Column(0)->count() + Column(1)->count(), 0);
            ASSERT_EQ(Working(), "");
            TypeInto(*Input(0), QStringLiteral("24"));
            TypeInto(*Input(1), QStringLiteral("26"));
            presses = 0;
            continue;
        }
        QTest::mouseClick(Button(0), Qt::LeftButton);
        presses = std::min(presses + 1, 4);
        ASSERT_EQ(Rows(*Column(0)), kRows24[presses]) << "press " << press;
        ASSERT_EQ(Column(0)->count(), Column(1)->count());
        ASSERT_EQ(Working(), kWorking24[presses]) << "press " << press;
        ASSERT_EQ(Button(0)->isEnabled(), presses < 4) << "press " << press;
    }
}

// Presses queued faster than the window handles them are taken one by one, in order.
TEST_F(HostileInputTest, AThousandQueuedPressesAreTakenInOrder) {
    const auto post = [](QWidget *target, Qt::Key key) {
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    };
    for (int press = 0; press < 1000; ++press) {
        post(Input(0), Qt::Key_Return); // Return in an input presses Calculate
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Rows(*Column(0)), kRows24[4]);
    EXPECT_EQ(Rows(*Column(1)), "26|13|6|3|1");
    EXPECT_EQ(Working(), kWorking24[4]);
    EXPECT_FALSE(Button(0)->isEnabled());

    for (int press = 0; press < 1000; ++press) {
        post(Button(1), Qt::Key_Space); // Clear, then Calculate on the emptied inputs
        post(Input(0), Qt::Key_Return);
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Column(0)->count() + Column(1)->count(), 0);
    EXPECT_EQ(Working(), kMessage);
    EXPECT_TRUE(Button(0)->isEnabled());
    EXPECT_EQ(Input(0)->text(), QString());
}

} // namespace
} // namespace korvanta::testing
