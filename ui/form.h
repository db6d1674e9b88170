// SPDX-License-Identifier: MIT
// The main form's behaviour: its two click handlers. Calculate checks both inputs,
// writes them back in normal form and lets the table take one step; Clear empties
// the table, the inputs and the working box; a row chosen in either column is chosen
// in both. The controls themselves come from a window backend.
#pragma once

#include <cstdint>
#include <string_view>

#include "calc/controls.h"
#include "calc/table.h"
#include "calc/texts.h"

namespace korvanta {

// The messages the working box shows for inputs the table cannot take.
// In Bulgarian; the working box shows them in the language chosen (calc/texts.h).
inline constexpr std::string_view kNotGreaterThanOne = N_("Всеки множител да е по-голям от 1!");
inline constexpr std::string_view kTooLarge = N_("Числото е твърде голямо!");

class Korvanta : public FormEvents {
public:
    explicit Korvanta(FormControls &controls) : controls_(controls), table_(controls) {}

    void Command1_Click(std::int16_t index) override;
    void List1_Click(std::int16_t index) override;

    const TableState &state() const { return table_.state(); }

private:
    void Calculate();

    FormControls &controls_;
    HalvingTable table_;
};

} // namespace korvanta
