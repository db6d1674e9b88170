// SPDX-License-Identifier: MIT
#include "ui/explain.h"

#include <array>
#include <string>
#include <vector>

#include "calc/explanation.h"
#include "calc/texts.h"

namespace korvanta {
namespace {

// Why the method works, for a pupil of ten.
constexpr std::string_view kStory =
    N_("На всеки ред делим числото вдясно на 2. Остатъкът е 0, ако числото е четно, и 1, ако е нечетно. "
       "Прочети остатъците отдолу нагоре: това е Число 2, записано само с цифрите 0 и 1. Така, в двоична "
       "бройна система, компютърът пази всички числа.\r\n"
       "В лявата колона Число 1 се удвоява. Затова на всеки ред там стои Число 1, умножено по 1, 2, 4, 8 и "
       "така нататък: по числото в колоната „Степен на 2“.\r\n"
       "Редовете с остатък 1 показват кои от числата 1, 2, 4, 8… събрани дават Число 2. Затова, като съберем "
       "левите числа само от тези редове, получаваме Число 1 × Число 2.\r\n");
constexpr std::string_view kBeforeTheFirstRow =
    N_("Още няма редове, затова виждаш примера 24 × 26. Напиши свои числа и натисни „Сметни“.\r\n");
constexpr std::string_view kNotFinished = N_("Таблицата още не е готова: числото вдясно още не е 1. Натисни "
                                             "„Сметни“ отново.\r\n");
constexpr std::string_view kFinished = N_("Таблицата е готова. Долу виждаш защо отговорът е верен.\r\n");
constexpr std::string_view kCounted = N_("да");
constexpr std::string_view kNotCounted = N_("не");
constexpr std::string_view kBinary = N_("%1$s (двоично)");
constexpr std::string_view kDigitsSoFar = N_("Остатъците досега, отдолу нагоре: %1$s");

// The worked example of the main window's task statement, as the columns hold it when
// the table is finished.
const std::vector<std::string> kExampleLeft{"24", "48", "96", "192", "384"};
const std::vector<std::string> kExampleRight{"26", "13", "6", "3", "1"};
constexpr std::string_view kExampleWorking = "48 + 192 + 384 = 624\r\n";

std::string RowText(const ExplainedRow &row) {
    const std::array cells{std::to_string(row.k),
                           row.right,
                           std::to_string(row.remainder),
                           row.power,
                           row.left,
                           std::string(Tr(row.counted ? kCounted : kNotCounted))};
    return Join(cells, "\t");
}

// What the rows show: Number 2 as a sum of powers of two and in binary, and the product as
// the sum of the counted left values; or, while the table grows, the binary digits so far.
std::string Summary(const Explanation &explained) {
    if (!explained.finished) {
        return TrFormat(kDigitsSoFar, {explained.digits}) + "\r\n";
    }
    const std::string &first = explained.rows.front().left;
    const std::string &second = explained.rows.front().right;
    const std::array number{second, Join(explained.powers, " + "), TrFormat(kBinary, {explained.digits})};
    const std::array product{first + " × " + second, Join(explained.terms, " + "), Join(explained.addends, " + "),
                             explained.product};
    return Equation(number) + "\r\n" + Equation(product) + "\r\n";
}

} // namespace

void WhyItWorks::Refresh() {
    const std::vector<std::string> left = Rows(main_.List1(0));
    const std::vector<std::string> right = Rows(main_.List1(1));
    example_ = left.empty() || right.empty();
    const Explanation explained =
        example_ ? Explain(kExampleLeft, kExampleRight, kExampleWorking) : Explain(left, right, main_.Text1(0).Text());

    ListBox &table = own_.List(ControlArray::ExplainRows, 0);
    table.Clear();
    for (const ExplainedRow &row : explained.rows) {
        table.AddItem(RowText(row));
    }
    const std::string_view state = example_ ? kBeforeTheFirstRow : explained.finished ? kFinished : kNotFinished;
    own_.Text(ControlArray::ExplainText, 0).SetText(std::string(Tr(state)) + std::string(Tr(kStory)));
    own_.Text(ControlArray::ExplainSummary, 0).SetText(Summary(explained));
    ShowRow(main_.List1(0).ListIndex());
}

void WhyItWorks::ShowRow(std::int16_t row) {
    if (!example_) {
        own_.List(ControlArray::ExplainRows, 0).SetListIndex(row);
    }
}

void WhyItWorks::RowChosen(ControlArray array, std::int16_t index) {
    if (array == ControlArray::ExplainRows && !example_) {
        // The main window's click then chooses the row in its other column, and here.
        main_.List1(0).SetListIndex(own_.List(array, index).ListIndex());
    }
}

} // namespace korvanta
