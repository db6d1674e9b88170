// SPDX-License-Identifier: MIT

#include "ui/form.h"

#include <cmath>
#include <optional>

#include "calc/conversions.h"

namespace korvanta {

void Korvanta::Command1_Click(std::int16_t index) {
    if (index == 0) {
        Calculate();
    } else if (index == 1) {
        table_.ClearTable();
        controls_.Text1(0).SetText("");
    }
}

void Korvanta::Calculate() {
    // The table starts from the first factor as it is written back, to 15 digits, so that
    // is the value checked: "1.0000000000000001" would otherwise pass and come back as a
    // "1" that the next press refuses in the middle of the table.
    double first = TextToNumber(controls_.Text2(0).Text());
    if (std::isfinite(first)) {
        first = TextToNumber(NumberToText(first));
    }
    const double secondRead = TextToNumber(controls_.Text2(1).Text());
    const std::optional<std::int16_t> second = ToInteger16(secondRead);

    // A second factor that does not round into 16 bits is either far below 1 or too large.
    const bool secondTooLarge = !second && secondRead > 1;
    const bool notGreaterThanOne = !(first > 1) || (second ? *second <= 1 : !secondTooLarge);
    if (notGreaterThanOne) {
        controls_.Text1(0).SetText(kNotGreaterThanOne);
        return;
    }
    if (first >= kFirstFactorLimit || secondTooLarge) {
        controls_.Text1(0).SetText(kTooLarge);
        return;
    }
    controls_.Text2(0).SetText(NumberToText(first));
    controls_.Text2(1).SetText(NumberToText(std::int32_t{*second}));
    table_.CalculateStep();
}

void Korvanta::List1_Click(std::int16_t index) {
    if (index != 0 && index != 1) {
        return;
    }
    const std::int16_t row = controls_.List1(index).ListIndex();
    for (int i = 0; i <= 1; ++i) {
        controls_.List1(i).SetListIndex(row);
    }
}

} // namespace korvanta
