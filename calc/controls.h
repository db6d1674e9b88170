// SPDX-License-Identifier: MIT
// The few operations the calculation and the form need from a window's controls.
// Each window backend (in memory, Qt, Win32) implements them on its own controls;
// nothing here knows which backend it talks to. Every call runs on the window's
// thread and takes effect before it returns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// A text box. Texts are UTF-8; line breaks are CR LF and come back exactly as written.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    // Replaces the whole text and shows it at once.
    virtual void SetText(std::string_view text) = 0;
    // Gives the box the keyboard's focus, so that typing goes on there.
    virtual void Focus() = 0;
};

// A list box with one text per row, rows counted from 0, never sorted. It holds at most
// kMaxListRows rows, what its 16-bit row numbers can address; AddItem past that adds nothing.
inline constexpr std::int16_t kMaxListRows = 32767;

class ListBox {
public:
    virtual ~ListBox() = default;
    virtual std::int16_t ListCount() const = 0;
    // The text of a row; the empty text for a row that does not exist.
    virtual std::string List(std::int16_t row) const = 0;
    // Appends a new last row.
    virtual void AddItem(std::string_view text) = 0;
    // Removes every row; afterwards no row is selected.
    virtual void Clear() = 0;
    // The selected row, or -1 for none.
    virtual std::int16_t ListIndex() const = 0;
    // Selects a row (-1 selects none). A change of the selection raises the list's
    // click event before this returns; selecting the row already selected raises
    // nothing. A row outside -1 .. ListCount()-1 is refused and changes nothing.
    virtual void SetListIndex(std::int16_t row) = 0;
};

// Every row of a list, top to bottom.
inline std::vector<std::string> Rows(const ListBox &list) {
    std::vector<std::string> rows;
    for (std::int16_t row = 0; row < list.ListCount(); ++row) {
        rows.push_back(list.List(row));
    }
    return rows;
}

// A push button. A disabled button looks disabled and delivers no clicks.
class Button {
public:
    virtual ~Button() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

// The controls of the main form, addressed as control-array elements by name and index.
// An index the form does not have is a programming error (the backends assert on it).
class FormControls {
public:
    virtual ~FormControls() = default;
    virtual TextBox &Text1(int index) = 0;   // 0: working box, 1: auxiliary box
    virtual TextBox &Text2(int index) = 0;   // 0: Number 1, 1: Number 2
    virtual ListBox &List1(int index) = 0;   // 0: left column, 1: right column
    virtual Button &Command1(int index) = 0; // 0: Calculate, 1: Clear
};

// What a window delivers to the form: the clicks of the two control arrays, each with
// the index of the element that raised it, one at a time on the window's thread.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Command1_Click(std::int16_t index) = 0;
    virtual void List1_Click(std::int16_t index) = 0;
};

} // namespace korvanta
