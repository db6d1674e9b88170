// SPDX-License-Identifier: MIT
// Plays arbitrary sequences of what a pupil can do in the practice window, in an in-memory
// window, and after every action checks what the window shows:
// - the first row is the task the factors' boxes hold; each next row doubles the left
//   value and halves the right one without its remainder; no row follows a right value of 1;
// - only rows with an odd right value are marked "да";
// - the feedback ends with the counts, which never show more steps right at the first
//   try than steps, and holds no "inf" or "nan".
//
// The input is a sequence of actions, each an action byte (taken modulo 4) and operands:
//   0  type into a text box: a byte (the box: the task's two factors, the next row's two
//      values, the product), a length byte, then that many bytes of text
//   1  type the right next row (or the product once the table is finished)
//   2  press a button: a byte, its index modulo 5
//   3  choose a row: a byte, bit 0 the table or the levels, the rest the row plus one
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "backends/memory/memory_window.h"
#include "calc/explanation.h"
#include "fuzz/fuzz_input.h"
#include "ui/program.h"

namespace korvanta {
namespace {

[[noreturn]] void Fail(const char *what, const std::string &feedback) {
    std::fprintf(stderr, "practice: %s\n  feedback: \"%s\"\n", what, feedback.c_str());
    std::abort();
}

class Session {
public:
    Session() {
        window_.PressFunctionKey(2);
        practice_ = static_cast<MemoryWindow *>(host_.Built(PracticeForm()));
    }

    void Run(FuzzInput &in) {
        while (!in.AtEnd()) {
            switch (in.Byte() % 4) {
            case 0: {
                const std::uint8_t box = in.Byte() % 5;
                const std::string text = in.Text();
                practice_->Type(box < 2 ? ControlArray::PracticeTask : ControlArray::PracticeEntry,
                                static_cast<std::int16_t>(box < 2 ? box : box - 2), text);
                break;
            }
            case 1:
                TypeTheRightEntry();
                break;
            case 2:
                practice_->Click(ControlArray::PracticeCommand, static_cast<std::int16_t>(in.Byte() % 5));
                break;
            case 3: {
                const std::uint8_t operand = in.Byte();
                practice_->ChooseRow((operand & 1) ? ControlArray::PracticeRows : ControlArray::PracticeLevel, 0,
                                     static_cast<std::int16_t>((operand >> 1) - 1));
                break;
            }
            }
            Check();
        }
    }

private:
    std::vector<std::vector<std::string>> Table() {
        std::vector<std::vector<std::string>> rows;
        for (const std::string &row : Rows(practice_->controls().List(ControlArray::PracticeRows, 0))) {
            const std::vector<std::string_view> cells = Cells(row);
            rows.emplace_back(cells.begin(), cells.end());
        }
        return rows;
    }

    void TypeTheRightEntry() {
        const auto rows = Table();
        const long long left = std::stoll(rows.back()[1]);
        const long long right = std::stoll(rows.back()[2]);
        if (right > 1) {
            practice_->Type(ControlArray::PracticeEntry, 0, std::to_string(left * 2));
            practice_->Type(ControlArray::PracticeEntry, 1, std::to_string(right / 2));
        } else {
            long long product = 0;
            for (const auto &row : rows) {
                product += std::stoll(row[2]) % 2 == 1 ? std::stoll(row[1]) : 0;
            }
            practice_->Type(ControlArray::PracticeEntry, 2, std::to_string(product));
        }
    }

    void Check() {
        const std::string feedback = practice_->controls().Text(ControlArray::PracticeFeedback, 0).Text();
        const auto rows = Table();
        if (rows.empty() || rows.size() > 17) {
            Fail("the table has no rows or too many", feedback);
        }
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const long long left = std::stoll(rows[row][1]);
            const long long right = std::stoll(rows[row][2]);
            if (rows[row][0] != std::to_string(row + 1) || !(rows[row][3].empty() || rows[row][3] == "да")) {
                Fail("a row's number or mark is not as written", feedback);
            }
            if (rows[row][3] == "да" && right % 2 == 0) {
                Fail("an even row is marked", feedback);
            }
            if (row > 0) {
                const long long before = std::stoll(rows[row - 1][2]);
                if (left != 2 * std::stoll(rows[row - 1][1]) || right != before / 2 || before == 1) {
                    Fail("a row does not follow the method", feedback);
                }
            }
        }
        const std::size_t counts = feedback.rfind("\r\nСтъпки: ");
        int steps = -1;
        int first = -1;
        int mistakes = -1;
        if (counts == std::string::npos ||
            std::sscanf(feedback.c_str() + counts, "\r\nСтъпки: %d, верни от първия опит: %d, грешки: %d.", &steps,
                        &first, &mistakes) != 3 ||
            first > steps || mistakes < 0) {
            Fail("the counts are missing or do not add up", feedback);
        }
        if (feedback.find("inf") != std::string::npos || feedback.find("nan") != std::string::npos) {
            Fail("the feedback has a number that is not one", feedback);
        }
    }

    MemoryWindow window_;
    MemoryHost host_;
    Program program_{window_, host_, [](std::int64_t low, std::int64_t high) { return (low + high) / 2; }};
    MemoryWindow *practice_ = nullptr;
};

} // namespace
} // namespace korvanta

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    korvanta::FuzzInput in(data, size);
    korvanta::Session session;
    session.Run(in);
    return 0;
}
