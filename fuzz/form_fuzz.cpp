// SPDX-License-Identifier: MIT
// Plays arbitrary sequences of what a pupil can do on the main form in an in-memory
// window, and after every action compares the window with a small model of what the
// handlers must have done and checks the table's invariants on what the window shows:
// - both columns hold the same number of rows, at most 15;
// - the right column holds whole numbers that strictly fall, and ends at 1 exactly
//   when Calculate is disabled;
// - Sum is the sum of the left values beside odd right values;
// - a finished expression lists exactly those left values, and they add up to its
//   result; for a whole first factor whose table stays below 1E15 the result is
//   exactly the first factor times the rounded second;
// - no text the program writes holds "inf" or "nan", and a number below 1E15 is
//   never written with an exponent;
// - the working text changes only as the handlers say: one of the two messages after
//   a refused Calculate, empty after Clear, extended after an accepted Calculate;
// - the explanation window, open from the start, shows the main window's rows one for
//   one with the row chosen there, and once the table is finished its product is the
//   working box's.
//
// The input is a sequence of actions, each an action byte (taken modulo 8) and its
// operands:
//   0, 1  type into Number 1 / Number 2: a length byte, then that many bytes of text
//   2     type a number: a byte (bit 0 chooses the input), then two bytes, little-endian
//   3     press Calculate
//   4     press Clear
//   5     select a row: a byte, bit 0 the column, the rest the row plus one
//   6     a click delivered with any index: a byte, bit 0 Command1 (an index other than
//         0 and 1) or List1, the rest the signed index
//   7     press Calculate 1 to 16 times in a row: a byte
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "backends/memory/memory_window.h"
#include "calc/conversions.h"
#include "fuzz/fuzz_input.h"
#include "tests/window_driver.h"
#include "ui/form.h"
#include "ui/layout.h"
#include "ui/program.h"

namespace korvanta {
namespace {

constexpr double kPlainLimit = 1e15;
constexpr std::size_t kMaxRows = 15;

std::string InitialText(ControlArray array, int index) { return std::string(FindControl(array, index)->text); }

// What the window must show, kept by the rules of the handlers.
struct Model {
    std::string inputs[2] = {InitialText(ControlArray::Text2, 0), InitialText(ControlArray::Text2, 1)};
    std::vector<std::string> left;
    std::vector<std::string> right;
    std::string working = InitialText(ControlArray::Text1, 0);
    std::string auxiliary = InitialText(ControlArray::Text1, 1);
    bool calculateEnabled = true;
    int selected = -1;
    double sum = 0;
    bool expressionWhole = false; // the working text has not been replaced since the table started

    void Calculate() {
        if (!calculateEnabled) {
            return;
        }
        // The first factor counts as it is written back, to 15 significant digits.
        const double read = TextToNumber(inputs[0]);
        const double first = std::isfinite(read) ? TextToNumber(NumberToText(read)) : read;
        const double second = std::nearbyint(TextToNumber(inputs[1]));
        if (!(first > 1) || !(second > 1)) {
            Refuse(kNotGreaterThanOne);
        } else if (first >= kFirstFactorLimit || second > 32767) {
            Refuse(kTooLarge);
        } else {
            inputs[0] = NumberToText(first);
            inputs[1] = std::to_string(static_cast<int>(second));
            Step();
        }
    }

    void Refuse(std::string_view message) {
        working = message;
        expressionWhole = false;
    }

    void Step() {
        if (left.empty()) {
            working.clear();
            expressionWhole = true;
            sum = 0;
            left.push_back(inputs[0]);
            right.push_back(inputs[1]);
            if (std::stoi(right.back()) % 2 == 1) {
                sum = TextToNumber(left.back());
                working += NumberToText(sum) + " + ";
                return;
            }
        }
        left.push_back(NumberToText(TextToNumber(left.back()) * 2));
        right.push_back(std::to_string(std::stoi(right.back()) / 2));
        const double b = TextToNumber(left.back());
        const int c = std::stoi(right.back());
        if (c > 1) {
            if (c % 2 == 1) {
                working += NumberToText(b) + " + ";
                sum += b;
            }
            auxiliary = NumberToText(b);
        } else {
            sum += b;
            working += NumberToText(b) + " = " + NumberToText(sum) + "\r\n";
            calculateEnabled = false;
        }
    }

    void Clear() {
        left.clear();
        right.clear();
        inputs[0].clear();
        inputs[1].clear();
        calculateEnabled = true;
        selected = -1;
        working.clear();
        expressionWhole = false;
    }

    void Select(int row) {
        if (row >= -1 && row < static_cast<int>(left.size())) {
            selected = row;
        }
    }
};

class Session {
public:
    Session() { window_.PressFunctionKey(1); }

    void Run(FuzzInput &in) {
        while (!in.AtEnd()) {
            const std::uint8_t action = in.Byte() % 8;
            const std::string before = Working();
            switch (action) {
            case 0:
            case 1: {
                const std::string text = in.Text();
                window_.Type(ControlArray::Text2, static_cast<std::int16_t>(action), text);
                model_.inputs[action] = text;
                break;
            }
            case 2: {
                const int input = in.Byte() & 1;
                const int value = in.Byte() | (in.Byte() << 8);
                model_.inputs[input] = std::to_string(value);
                window_.Type(ControlArray::Text2, static_cast<std::int16_t>(input), model_.inputs[input]);
                break;
            }
            case 3:
                Calculate(before);
                break;
            case 4:
                window_.ClickButton(1);
                model_.Clear();
                Require(Working().empty(), "Clear leaves a working text");
                break;
            case 5: {
                const std::uint8_t operand = in.Byte();
                const int row = (operand >> 1) - 1;
                window_.SelectRow(operand & 1, static_cast<std::int16_t>(row));
                model_.Select(row);
                break;
            }
            case 6: {
                const std::uint8_t operand = in.Byte();
                const auto index = static_cast<std::int16_t>(static_cast<std::int8_t>(operand) >> 1);
                if (operand & 1) {
                    if (index != 0 && index != 1) {
                        program_.Clicked(ControlArray::Command1, index);
                    }
                } else {
                    program_.RowChosen(ControlArray::List1, index);
                }
                break;
            }
            case 7:
                for (int presses = in.Byte() % 16 + 1; presses > 0; --presses) {
                    Calculate(Working());
                    Check();
                }
                break;
            }
            Check();
        }
    }

private:
    FormControls &c() { return window_.controls(); }
    std::string Working() { return c().Text1(0).Text(); }

    std::vector<std::string> Column(int index) { return Rows(c().List1(index)); }

    [[noreturn]] void Fail(const char *what) {
        std::fprintf(stderr, "form: %s\n", what);
        const std::vector<std::string> left = Column(0), right = Column(1);
        for (std::size_t row = 0; row < std::max(left.size(), right.size()); ++row) {
            std::fprintf(stderr, "  row %zu: %s : %s\n", row, row < left.size() ? left[row].c_str() : "",
                         row < right.size() ? right[row].c_str() : "");
        }
        std::fprintf(stderr, "  inputs: \"%s\" \"%s\"\n  working: \"%s\"\n  expected: \"%s\"\n  Sum %.17g\n",
                     c().Text2(0).Text().c_str(), c().Text2(1).Text().c_str(), Working().c_str(),
                     model_.working.c_str(), form_.state().Sum);
        std::abort();
    }
    void Require(bool holds, const char *what) {
        if (!holds) {
            Fail(what);
        }
    }

    void Calculate(const std::string &before) {
        const bool enabled = model_.calculateEnabled;
        const bool starts = model_.left.empty();
        window_.ClickButton(0);
        model_.Calculate();
        const std::string after = Working();
        if (!enabled) {
            Require(after == before, "a disabled Calculate changed the working text");
        } else if (after == kNotGreaterThanOne || after == kTooLarge) {
            Require(model_.working == after, "Calculate refused inputs it should take, or the wrong message");
        } else {
            Require(after.starts_with(starts ? std::string() : before),
                    "an accepted Calculate did not extend the working text");
        }
    }

    // Whether a number the program wrote is in the form due for its size.
    void RequireWrittenNumber(const std::string &text) {
        std::string lower = text;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char ch) { return static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch); });
        Require(lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos,
                "a written number is infinite or not a number");
        const bool scientific = text.find('E') != std::string::npos;
        Require(scientific == (std::fabs(TextToNumber(text)) >= kPlainLimit),
                "a number is written with an exponent where the plain form is due, or the reverse");
    }

    void Check() {
        const std::vector<std::string> left = Column(0), right = Column(1);
        const bool enabled = c().Command1(0).Enabled();

        // The model: every control as the handlers must have left it.
        Require(left == model_.left && right == model_.right, "the columns differ from the handlers' rows");
        Require(Working() == model_.working, "the working text differs from what the handlers wrote");
        Require(c().Text1(1).Text() == model_.auxiliary, "the auxiliary box differs");
        Require(c().Text2(0).Text() == model_.inputs[0] && c().Text2(1).Text() == model_.inputs[1],
                "the inputs differ");
        Require(enabled == model_.calculateEnabled, "Calculate's state differs");
        Require(c().List1(0).ListIndex() == model_.selected && c().List1(1).ListIndex() == model_.selected,
                "the selected rows differ");
        Require(form_.state().Sum == model_.sum, "Sum differs");

        // The invariants, on what the window shows.
        Require(left.size() == right.size() && left.size() <= kMaxRows, "the columns' lengths");
        long previous = 32768;
        double sum = 0;
        std::vector<std::string> counted;
        for (std::size_t row = 0; row < right.size(); ++row) {
            const std::string &text = right[row];
            Require(!text.empty() &&
                        std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }),
                    "a right value is not a whole number");
            const long value = std::stol(text);
            Require(value < previous, "the right column does not fall");
            previous = value;
            RequireWrittenNumber(left[row]);
            if (value % 2 == 1) {
                sum += TextToNumber(left[row]);
                counted.push_back(left[row]);
            }
        }
        Require(enabled == (right.empty() || right.back() != "1"), "Calculate is enabled exactly until the last row");
        if (!left.empty()) {
            Require(form_.state().Sum == sum, "Sum is not the sum of the counted left values");
        }
        if (c().Text1(1).Text() != InitialText(ControlArray::Text1, 1)) {
            RequireWrittenNumber(c().Text1(1).Text());
        }
        if (!enabled) {
            CheckFinishedExpression(left, right, counted);
        }
        CheckExplanation(left, right);
    }

    void CheckExplanation(const std::vector<std::string> &left, const std::vector<std::string> &right) {
        ControlRegistry &why = host_.Built(ExplainForm())->controls();
        const std::vector<std::string> rows = Rows(why.List(ControlArray::ExplainRows, 0));
        if (left.empty()) {
            Require(rows.size() == 5, "before the first row, the explanation does not show the worked example");
            return;
        }
        Require(rows.size() == left.size(), "the explanation's rows are not the table's");
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const std::vector<std::string_view> cells = Cells(rows[row]);
            Require(cells.size() == 6 && cells[1] == right[row] && cells[4] == left[row] &&
                        cells[2] == (std::stol(right[row]) % 2 == 1 ? "1" : "0"),
                    "an explained row differs from the table's row");
        }
        Require(why.List(ControlArray::ExplainRows, 0).ListIndex() == model_.selected,
                "the explanation's chosen row is not the table's");
        if (right.back() == "1") {
            const std::string working = Working();
            const std::string summary = why.Text(ControlArray::ExplainSummary, 0).Text();
            const std::string result = working.substr(working.rfind(" = ") + 3);
            Require(summary.ends_with(" = " + result), "the explanation's product is not the working box's");
        }
    }

    void CheckFinishedExpression(const std::vector<std::string> &left, const std::vector<std::string> &right,
                                 const std::vector<std::string> &counted) {
        const std::string working = Working();
        const std::size_t equals = working.rfind(" = ");
        Require(equals != std::string::npos && working.ends_with("\r\n"), "a finished expression has no result");
        const std::string result = working.substr(equals + 3, working.size() - equals - 5);
        RequireWrittenNumber(result);
        if (model_.expressionWhole) {
            std::vector<std::string> terms;
            double total = 0;
            for (std::size_t start = 0;;) {
                const std::size_t plus = working.find(" + ", start);
                const std::size_t end = std::min(plus, equals);
                terms.push_back(working.substr(start, end - start));
                total += TextToNumber(terms.back());
                if (end == equals) {
                    break;
                }
                start = end + 3;
            }
            Require(terms == counted, "the expression's terms are not the counted left values");
            Require(NumberToText(total) == result, "the expression's terms do not add up to its result");
        }
        const double first = TextToNumber(left.front());
        if (first == std::floor(first) && TextToNumber(left.back()) < kPlainLimit) {
            const auto product = static_cast<std::uint64_t>(first) * std::stoull(right.front());
            Require(form_.state().Sum == static_cast<double>(product), "Sum is not the exact product");
            Require(product >= kPlainLimit || result == std::to_string(product), "the result is not the exact product");
        }
    }

    MemoryWindow window_;
    MemoryHost host_;
    Program program_{window_, host_};
    Korvanta &form_ = program_.form();
    Model model_;
};

} // namespace
} // namespace korvanta

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    std::fesetround(FE_TONEAREST);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    korvanta::FuzzInput in(data, size);
    korvanta::Session session;
    session.Run(in);
    return 0;
}
