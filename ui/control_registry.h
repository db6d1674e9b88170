// SPDX-License-Identifier: MIT
// Finds a backend's controls by control array and index for the handlers. A backend
// creates a window's controls from its description and registers each text box, list
// box and button here under the description's array and index; the main form's handlers
// reach theirs through the FormControls interface, the other windows' through Text, List
// and Command.
#pragma once

#include <cstdlib>
#include <variant>
#include <vector>

#include "calc/controls.h"
#include "ui/layout.h"

namespace korvanta {

class ControlRegistry final : public FormControls {
public:
    void Register(const ControlSpec &design, TextBox &box) { entries_.push_back({design.array, design.index, &box}); }
    void Register(const ControlSpec &design, ListBox &list) { entries_.push_back({design.array, design.index, &list}); }
    void Register(const ControlSpec &design, Button &button) {
        entries_.push_back({design.array, design.index, &button});
    }

    TextBox &Text(ControlArray array, int index) { return Find<TextBox>(array, index); }
    ListBox &List(ControlArray array, int index) { return Find<ListBox>(array, index); }
    Button &Command(ControlArray array, int index) { return Find<Button>(array, index); }

    TextBox &Text1(int index) override { return Text(ControlArray::Text1, index); }
    TextBox &Text2(int index) override { return Text(ControlArray::Text2, index); }
    ListBox &List1(int index) override { return List(ControlArray::List1, index); }
    Button &Command1(int index) override { return Command(ControlArray::Command1, index); }

private:
    struct Entry {
        ControlArray array;
        int index;
        std::variant<TextBox *, ListBox *, Button *> control;
    };

    template <typename T> T &Find(ControlArray array, int index) {
        for (const Entry &entry : entries_) {
            if (entry.array == array && entry.index == index && std::holds_alternative<T *>(entry.control)) {
                return *std::get<T *>(entry.control);
            }
        }
        std::abort(); // the handlers and the description disagree: a programming error
    }

    std::vector<Entry> entries_; // a window has a dozen controls or so
};

} // namespace korvanta
