// SPDX-License-Identifier: MIT

#include "calc/table.h"

#include <cfloat>
#include <cmath>
#include <optional>

#include "calc/conversions.h"

namespace korvanta {

// The doublings and the sum are exact to the digit only when every operation rounds to a
// double as it is made. The x87 unit of 32-bit x86 keeps 80-bit intermediates and would
// round some sums twice: such a build must use SSE2 (-msse2 -mfpmath=sse).
static_assert(FLT_EVAL_METHOD == 0, "floating point must round every operation to its type");

FactorsCheck ReadFactors(std::string_view firstText, std::string_view secondText, Factors &factors) {
    // The table starts from the first factor as it is written back, to 15 digits, so that
    // is the value checked: "1.0000000000000001" would otherwise pass and come back as a
    // "1" that the next press refuses in the middle of the table.
    double first = TextToNumber(firstText);
    if (std::isfinite(first)) {
        first = TextToNumber(NumberToText(first));
    }
    const double secondRead = TextToNumber(secondText);
    const std::optional<std::int16_t> second = ToInteger16(secondRead);

    // A second factor that does not round into 16 bits is either far below 1 or too large.
    const bool secondTooLarge = !second && secondRead > 1;
    const bool notGreaterThanOne = !(first > 1) || (second ? *second <= 1 : !secondTooLarge);
    if (notGreaterThanOne) {
        return FactorsCheck::NotGreaterThanOne;
    }
    if (first >= kFirstFactorLimit || secondTooLarge) {
        return FactorsCheck::TooLarge;
    }
    factors = {first, *second};
    return FactorsCheck::Taken;
}

void HalvingTable::ReadLastRow() {
    state_.LastRow = static_cast<std::int16_t>(controls_.List1(0).ListCount() - 1);
    state_.B = TextToNumber(controls_.List1(0).List(state_.LastRow));
    state_.C = TextToNumber(controls_.List1(1).List(state_.LastRow));
}

// The working text is read back from its box before every extension, so whatever the
// box holds, a message included, is what grows.
void HalvingTable::AppendToWorkingText(const std::string &text) {
    TextBox &working = controls_.Text1(0);
    working.SetText(working.Text() + text);
}

void HalvingTable::CalculateStep() {
    ListBox &left = controls_.List1(0);
    ListBox &right = controls_.List1(1);

    if (left.ListCount() < 1) {
        controls_.Text1(0).SetText("");
        state_.Sum = 0;
        left.AddItem(controls_.Text2(0).Text());
        right.AddItem(controls_.Text2(1).Text());
        ReadLastRow();
        if (IsOdd(state_.C)) {
            state_.Sum = state_.B;
            AppendToWorkingText(NumberToText(state_.B) + " + ");
            return;
        }
    }

    ReadLastRow();
    left.AddItem(NumberToText(state_.B * 2));
    right.AddItem(NumberToText(ToInteger32(state_.C).value_or(0) / 2));
    ReadLastRow();

    if (state_.C > 1) {
        if (IsOdd(state_.C)) {
            AppendToWorkingText(NumberToText(state_.B) + " + ");
            state_.Sum += state_.B;
        }
        controls_.Text1(1).SetText(NumberToText(state_.B));
    } else {
        state_.Sum += state_.B;
        AppendToWorkingText(NumberToText(state_.B));
        AppendToWorkingText(" = " + NumberToText(state_.Sum) + "\r\n");
        controls_.Command1(0).SetEnabled(false);
    }
}

void HalvingTable::ClearTable() {
    for (int i = 0; i <= 1; ++i) {
        controls_.List1(i).Clear();
        controls_.Text2(i).SetText("");
    }
    controls_.Command1(0).SetEnabled(true);
}

} // namespace korvanta
