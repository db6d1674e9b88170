// SPDX-License-Identifier: MIT
// The contract of a window backend, run against each backend's driver.
#include "tests/backend_contract.h"

#include <string>
#include <vector>

#include "calc/texts.h"
#include "ui/form.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

TEST_P(BackendContract, OpensWithTheTextsOfTheDescription) {
    FormControls &c = window->controls();
    for (const ControlSpec &design : MainForm().controls) {
        if (design.kind != ControlKind::ListBox) {
            EXPECT_EQ(window->Caption(design.array, design.index), design.text)
                << design.name << "(" << design.index << ")";
        }
    }
    EXPECT_EQ(c.Text2(0).Text(), "24");
    EXPECT_EQ(c.Text2(1).Text(), "26");
    EXPECT_EQ(c.Text1(0).Text(), FindControl(ControlArray::Text1, 0)->text);
    EXPECT_EQ(c.Text1(1).Text(), FindControl(ControlArray::Text1, 1)->text);
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(c.List1(i).ListCount(), 0);
        EXPECT_EQ(c.List1(i).ListIndex(), -1);
        EXPECT_TRUE(c.Command1(i).Enabled());
    }
}

TEST_P(BackendContract, TextComesBackExactlyAsWritten) {
    const std::string texts[] = {"", "48 + 192 + 384 = 624\r\n", "Всеки множител да е по-голям от 1!",
                                 "ред 1\r\nред 2\r\n\r\n", "  1088 :1 "};
    for (const std::string &text : texts) {
        window->controls().Text1(0).SetText(text);
        EXPECT_EQ(window->controls().Text1(0).Text(), text);
        window->controls().Text2(1).SetText(text.substr(0, text.find('\r')));
        EXPECT_EQ(window->controls().Text2(1).Text(), text.substr(0, text.find('\r')));
    }
}

TEST_P(BackendContract, RowsStayInTheOrderAdded) {
    ListBox &list = window->controls().List1(0);
    for (const char *row : {"9", "10", "1", "1E+15", "Б", "А"}) {
        list.AddItem(row);
    }
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"9", "10", "1", "1E+15", "Б", "А"}));
    EXPECT_EQ(list.ListCount(), 6);
    EXPECT_EQ(list.List(6), "");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_TRUE(Rows(window->controls().List1(1)).empty());
}

TEST_P(BackendContract, ClearRemovesEveryRowAndTheSelection) {
    RecordedClicks clicks;
    window->Connect(clicks);
    ListBox &list = window->controls().List1(1);
    list.AddItem("26");
    list.AddItem("13");
    list.SetListIndex(1);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    list.AddItem("5");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(Rows(list), std::vector<std::string>{"5"});
}

TEST_P(BackendContract, WritingTheSelectionRaisesAClickOnlyWhenItChanges) {
    RecordedClicks clicks;
    window->Connect(clicks);
    ListBox &list = window->controls().List1(1);
    for (const char *row : {"26", "13", "6"}) {
        list.AddItem(row);
    }
    list.SetListIndex(2);
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(clicks.lists, std::vector<std::int16_t>{1});
    list.SetListIndex(2);
    EXPECT_EQ(clicks.lists.size(), 1u) << "the same row again raises nothing";
    list.SetListIndex(-1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.lists.size(), 2u);
    list.SetListIndex(3);
    list.SetListIndex(-2);
    EXPECT_EQ(list.ListIndex(), -1) << "rows that do not exist are refused";
    EXPECT_EQ(clicks.lists.size(), 2u);
}

TEST_P(BackendContract, AUsersClicksReachTheFormWithTheirIndex) {
    RecordedClicks clicks;
    window->Connect(clicks);
    window->ClickButton(1);
    window->ClickButton(0);
    EXPECT_EQ(clicks.commands, (std::vector<std::int16_t>{1, 0}));

    window->controls().List1(0).AddItem("24");
    window->controls().List1(0).AddItem("48");
    window->SelectRow(0, 1);
    EXPECT_EQ(window->controls().List1(0).ListIndex(), 1);
    EXPECT_EQ(clicks.lists, std::vector<std::int16_t>{0});
}

TEST_P(BackendContract, ADisabledButtonTakesNoClicks) {
    RecordedClicks clicks;
    window->Connect(clicks);
    Button &calculate = window->controls().Command1(0);
    calculate.SetEnabled(false);
    EXPECT_FALSE(calculate.Enabled());
    window->ClickButton(0);
    EXPECT_TRUE(clicks.commands.empty());
    calculate.SetEnabled(true);
    EXPECT_TRUE(calculate.Enabled());
    window->ClickButton(0);
    EXPECT_EQ(clicks.commands, std::vector<std::int16_t>{0});
}

TEST_P(BackendContract, TheFormRunsTheWorkedExampleToItsEnd) {
    Korvanta form(window->controls());
    window->Connect(form);
    FormControls &c = window->controls();
    for (int press = 0; press < 4; ++press) {
        window->ClickButton(0);
    }
    EXPECT_EQ(Rows(c.List1(0)), (std::vector<std::string>{"24", "48", "96", "192", "384"}));
    EXPECT_EQ(Rows(c.List1(1)), (std::vector<std::string>{"26", "13", "6", "3", "1"}));
    EXPECT_EQ(c.Text1(0).Text(), "48 + 192 + 384 = 624\r\n");
    EXPECT_EQ(c.Text1(1).Text(), "192");
    EXPECT_FALSE(c.Command1(0).Enabled());

    window->ClickButton(0);
    EXPECT_EQ(c.List1(0).ListCount(), 5) << "a finished table takes no more presses";

    window->SelectRow(1, 2);
    EXPECT_EQ(c.List1(0).ListIndex(), 2);
    EXPECT_EQ(c.List1(1).ListIndex(), 2);
    window->SelectRow(0, 4);
    EXPECT_EQ(c.List1(0).ListIndex(), 4);
    EXPECT_EQ(c.List1(1).ListIndex(), 4);

    window->ClickButton(1);
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(c.List1(i).ListCount(), 0);
        EXPECT_EQ(c.List1(i).ListIndex(), -1);
        EXPECT_EQ(c.Text2(i).Text(), "");
    }
    EXPECT_EQ(c.Text1(0).Text(), "");
    EXPECT_TRUE(c.Command1(0).Enabled());
}

TEST_P(BackendContract, TypedInputsStartAFreshTable) {
    Korvanta form(window->controls());
    window->Connect(form);
    window->ClickButton(1);
    window->Type(ControlArray::Text2, 0, " 034");
    window->Type(ControlArray::Text2, 1, "44abc");
    window->ClickButton(0);
    FormControls &c = window->controls();
    EXPECT_EQ(c.Text2(0).Text(), "34");
    EXPECT_EQ(c.Text2(1).Text(), "44");
    EXPECT_EQ(Rows(c.List1(0)), (std::vector<std::string>{"34", "68"}));
    EXPECT_EQ(Rows(c.List1(1)), (std::vector<std::string>{"44", "22"}));
}

// The window of the main window's menu that explains the table: built on the first F1,
// and from then on it follows the table, and a row chosen in either window is chosen in both.
TEST_P(ProgramContract, TheExplanationFollowsTheTable) {
    Program program(window->main(), window->host());
    EXPECT_FALSE(window->Shown(ExplainForm()));
    window->PressFunctionKey(1);
    ASSERT_TRUE(window->Shown(ExplainForm()));
    EXPECT_EQ(window->Caption(ControlArray::ExplainRows, 0), FindControl(ControlArray::ExplainRows, 0)->text);
    ControlRegistry &why = window->host().Build(ExplainForm()).controls();
    ListBox &rows = why.List(ControlArray::ExplainRows, 0);
    TextBox &summary = why.Text(ControlArray::ExplainSummary, 0);
    EXPECT_EQ(rows.ListCount(), 5) << "before the first row, the worked example";

    window->ClickButton(0);
    window->ClickButton(0);
    EXPECT_EQ(Rows(rows),
              (std::vector<std::string>{"0\t26\t0\t1\t24\tне", "1\t13\t1\t2\t48\tда", "2\t6\t0\t4\t96\tне"}));
    EXPECT_EQ(summary.Text(), "Остатъците досега, отдолу нагоре: 010\r\n");
    window->ClickButton(0);
    window->ClickButton(0);
    EXPECT_EQ(summary.Text(), "26 = 16 + 8 + 2 = 11010 (двоично)\r\n"
                              "24 × 26 = 24 × 2 + 24 × 8 + 24 × 16 = 48 + 192 + 384 = 624\r\n");

    FormControls &c = window->controls();
    window->ChooseRow(ControlArray::ExplainRows, 0, 3);
    EXPECT_EQ(c.List1(0).ListIndex(), 3);
    EXPECT_EQ(c.List1(1).ListIndex(), 3);
    window->SelectRow(1, 1);
    EXPECT_EQ(rows.ListIndex(), 1);
    EXPECT_EQ(c.List1(0).ListIndex(), 1);

    window->PressEscape(ExplainForm());
    EXPECT_FALSE(window->Shown(ExplainForm()));
    window->ClickButton(1);
    window->PressFunctionKey(1);
    EXPECT_TRUE(window->Shown(ExplainForm()));
    EXPECT_EQ(&window->host().Build(ExplainForm()).controls(), &why) << "the same window, shown again";
    EXPECT_EQ(rows.ListCount(), 5) << "cleared: the worked example again";
    EXPECT_EQ(rows.ListIndex(), -1);
}

// The practice window, built on the first F2: a task typed by hand, a row right, a
// mistake explained and corrected, the marks and the product, by Enter and by the buttons.
TEST_P(ProgramContract, ThePracticeChecksEveryStep) {
    Program program(window->main(), window->host(), [](std::int64_t low, std::int64_t) { return low; });
    window->PressFunctionKey(2);
    ASSERT_TRUE(window->Shown(PracticeForm()));
    ControlRegistry &practice = window->host().Build(PracticeForm()).controls();
    EXPECT_EQ(practice.Text(ControlArray::PracticeTask, 0).Text(), "2");
    EXPECT_EQ(Rows(practice.List(ControlArray::PracticeLevel, 0)),
              (std::vector<std::string>{"лесно", "средно", "трудно"}));
    TextBox &feedback = practice.Text(ControlArray::PracticeFeedback, 0);
    ListBox &rows = practice.List(ControlArray::PracticeRows, 0);

    window->Type(ControlArray::PracticeTask, 0, "7");
    window->Type(ControlArray::PracticeTask, 1, "3");
    window->PressEnter(ControlArray::PracticeTask, 1);
    EXPECT_EQ(Rows(rows), (std::vector<std::string>{"1	7	3	"}));
    window->Type(ControlArray::PracticeEntry, 0, "14");
    window->Type(ControlArray::PracticeEntry, 1, "2");
    window->PressEnter(ControlArray::PracticeEntry, 1);
    EXPECT_EQ(feedback.Text(), "3 : 2 = 1 и остатък 1. Остатъкът не се пише — пишем 1. Опитай пак.\r\n"
                               "Стъпки: 0, верни от първия опит: 0, грешки: 1.");
    EXPECT_EQ(practice.Text(ControlArray::PracticeEntry, 0).Text(), "14") << "kept, to be corrected";
    window->Type(ControlArray::PracticeEntry, 1, "1");
    window->Click(ControlArray::PracticeCommand, kCheckRow);
    EXPECT_EQ(Rows(rows), (std::vector<std::string>{"1	7	3	", "2	14	1	"}));
    EXPECT_EQ(practice.Text(ControlArray::PracticeEntry, 0).Text(), "");

    window->ChooseRow(ControlArray::PracticeRows, 0, 0);
    window->Click(ControlArray::PracticeCommand, kMarkRow);
    window->ChooseRow(ControlArray::PracticeRows, 0, 1);
    window->Click(ControlArray::PracticeCommand, kMarkRow);
    EXPECT_EQ(Rows(rows), (std::vector<std::string>{"1	7	3	да", "2	14	1	да"}));
    EXPECT_EQ(rows.ListIndex(), 1);
    window->Type(ControlArray::PracticeEntry, 2, "21");
    window->PressEnter(ControlArray::PracticeEntry, 2);
    EXPECT_EQ(feedback.Text(), "Браво! 7 × 3 = 7 + 14 = 21.\r\nСтъпки: 3, верни от първия опит: 2, грешки: 1.");

    window->PressEscape(PracticeForm());
    EXPECT_FALSE(window->Shown(PracticeForm()));
    window->PressFunctionKey(2);
    EXPECT_TRUE(window->Shown(PracticeForm()));
    EXPECT_EQ(Rows(rows).size(), 2u) << "the same window, as it was left";
    window->Click(ControlArray::PracticeCommand, kNewTask);
    EXPECT_EQ(Rows(rows), (std::vector<std::string>{"1	2	3	"}));
    EXPECT_EQ(window->controls().List1(0).ListCount(), 0) << "the main window is left alone";
}

// A switch of language in the middle of a table: every open window speaks the new
// language at once, and the rows, the inputs, the working text and Calculate's state stay.
TEST_P(ProgramContract, ALanguageSwitchKeepsTheTable) {
    struct BackToBulgarian {
        ~BackToBulgarian() { SetLanguage("bg"); }
    } guard;
    Program program(window->main(), window->host(), [](std::int64_t low, std::int64_t) { return low; });
    FormControls &c = window->controls();
    window->ClickButton(0);
    window->ClickButton(0);
    window->Type(ControlArray::Text2, 1, "13");
    window->PressFunctionKey(1);
    window->PressFunctionKey(2);
    const std::vector<std::string> left = Rows(c.List1(0));
    const std::string working = c.Text1(0).Text();

    window->ChooseLanguage("en");
    EXPECT_EQ(window->Caption(ControlArray::Command1, 0), "Calculate");
    EXPECT_EQ(window->Caption(ControlArray::Label2, 0), "First:");
    EXPECT_EQ(window->Caption(ControlArray::PracticeRows, 0), "Row\tNumber 1\tNumber 2\tIn the sum");
    EXPECT_EQ(Rows(c.List1(0)), left);
    EXPECT_EQ(c.Text1(0).Text(), working);
    EXPECT_EQ(c.Text2(1).Text(), "13");
    EXPECT_TRUE(c.Command1(0).Enabled());
    EXPECT_EQ(c.Text1(1).Text(), "96");
    ControlRegistry &why = window->host().Build(ExplainForm()).controls();
    EXPECT_EQ(why.List(ControlArray::ExplainRows, 0).List(1), "1\t13\t1\t2\t48\tyes");
    ControlRegistry &practice = window->host().Build(PracticeForm()).controls();
    EXPECT_TRUE(practice.Text(ControlArray::PracticeFeedback, 0).Text().starts_with("Hello! The task is 2 × 3."));
    EXPECT_EQ(Rows(practice.List(ControlArray::PracticeLevel, 0)),
              (std::vector<std::string>{"easy", "medium", "hard"}));

    window->ClickButton(1);
    window->Type(ControlArray::Text2, 0, "1");
    window->ClickButton(0);
    EXPECT_EQ(c.Text1(0).Text(), "Each factor must be greater than 1!");
    window->ChooseLanguage("bg");
    EXPECT_EQ(c.Text1(0).Text(), kNotGreaterThanOne) << "the program's own message follows the language";
    EXPECT_EQ(window->Caption(ControlArray::Command1, 0), "Сметни");
}

// A table's rows keep their cells as written, and a change of its selection raises its click.
TEST_P(ProgramContract, ATableKeepsItsCells) {
    Program program(window->main(), window->host());
    window->PressFunctionKey(1);
    ListBox &table = window->host().Build(ExplainForm()).controls().List(ControlArray::ExplainRows, 0);
    table.Clear();
    const std::vector<std::string> written{"0\t26\t0\t1\t1E+302\tне", "1\t\t\t\t\t", "14\t1\t1\t16384\tБ\tда"};
    for (const std::string &row : written) {
        table.AddItem(row);
    }
    EXPECT_EQ(Rows(table), written);
    window->ChooseRow(ControlArray::ExplainRows, 0, 2);
    EXPECT_EQ(table.ListIndex(), 2);
    table.Clear();
    EXPECT_EQ(table.ListIndex(), -1);
    EXPECT_EQ(table.ListCount(), 0);
}

} // namespace
} // namespace korvanta::testing
