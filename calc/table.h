// SPDX-License-Identifier: MIT
// The halving-doubling table: the left column doubles the first factor, the right
// column halves the second by whole-number division until it reaches 1, and the
// product is the sum of the left values beside odd right values. The rows live only
// as texts in the window's two list boxes; each step reads the last row back from
// them. When the table may grow, and with which inputs, is the form's business.
#pragma once

#include <cstdint>
#include <string_view>

#include "calc/controls.h"

namespace korvanta {

// From this first factor on, the doublings or the sum could leave the range of a double.
inline constexpr double kFirstFactorLimit = 1e303;

// The two factors a table starts from, as Calculate takes them from the inputs: the first
// as it is written back, to 15 significant digits; the second rounded to a whole number.
struct Factors {
    double first = 0;
    std::int16_t second = 0;
};

enum class FactorsCheck { Taken, NotGreaterThanOne, TooLarge };

// Reads two typed factors. Taken: both are greater than 1, the first below
// kFirstFactorLimit and the second at most 32767. Otherwise which message is due; a factor
// not greater than 1 goes before one too large.
FactorsCheck ReadFactors(std::string_view first, std::string_view second, Factors &factors);

// The form's variables that the table works with, alive as long as the window.
struct TableState {
    double B = 0;             // left value of the last row, as read back
    double C = 0;             // right value of the last row, as read back
    double Sum = 0;           // sum of the left values of the odd rows so far
    std::int16_t LastRow = 0; // index of the last row
};

class HalvingTable {
public:
    explicit HalvingTable(FormControls &controls) : controls_(controls) {}

    // Reads the last row of both columns into B and C. Needs at least one row.
    void ReadLastRow();
    // One step: starts a table from the two inputs when the columns are empty (and
    // then shows two rows unless the first right value is odd), otherwise appends one
    // row; extends the working text and, at the last row, closes it with " = " and
    // the product and disables Calculate.
    void CalculateStep();
    // Empties both columns and both inputs and enables Calculate again.
    void ClearTable();

    const TableState &state() const { return state_; }

private:
    void AppendToWorkingText(const std::string &text);

    FormControls &controls_;
    TableState state_;
};

} // namespace korvanta
