// SPDX-License-Identifier: MIT
// Finds a backend's controls by control array and index for the form's handlers.
// A backend creates its controls from the window description and registers each
// text box, list box and button here under the description's array and index.
#pragma once

#include <array>
#include <cstdlib>

#include "calc/controls.h"
#include "ui/layout.h"

namespace korvanta {

class ControlRegistry final : public FormControls {
public:
    void Register(const ControlSpec &design, TextBox &box) {
        Slot(design.array == ControlArray::Text1 ? text1_ : text2_, design.index) = &box;
    }
    void Register(const ControlSpec &design, ListBox &list) { Slot(list1_, design.index) = &list; }
    void Register(const ControlSpec &design, Button &button) { Slot(command1_, design.index) = &button; }

    TextBox &Text1(int index) override { return *Slot(text1_, index); }
    TextBox &Text2(int index) override { return *Slot(text2_, index); }
    ListBox &List1(int index) override { return *Slot(list1_, index); }
    Button &Command1(int index) override { return *Slot(command1_, index); }

private:
    // Every control array of the form that the handlers use has two elements.
    template <typename T> using Array = std::array<T *, 2>;

    template <typename T> static T *&Slot(Array<T> &array, int index) {
        if (index < 0 || index >= static_cast<int>(array.size())) {
            std::abort(); // the form and its description disagree: a programming error
        }
        return array[static_cast<std::size_t>(index)];
    }

    Array<TextBox> text1_{};
    Array<TextBox> text2_{};
    Array<ListBox> list1_{};
    Array<Button> command1_{};
};

} // namespace korvanta
