// SPDX-License-Identifier: MIT

#include "ui/form.h"

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
    Factors factors;
    switch (ReadFactors(controls_.Text2(0).Text(), controls_.Text2(1).Text(), factors)) {
    case FactorsCheck::NotGreaterThanOne:
        controls_.Text1(0).SetText(Tr(kNotGreaterThanOne));
        return;
    case FactorsCheck::TooLarge:
        controls_.Text1(0).SetText(Tr(kTooLarge));
        return;
    case FactorsCheck::Taken:
        break;
    }
    controls_.Text2(0).SetText(NumberToText(factors.first));
    controls_.Text2(1).SetText(NumberToText(std::int32_t{factors.second}));
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
