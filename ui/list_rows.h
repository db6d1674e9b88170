// SPDX-License-Identifier: MIT
// The rows of a list box and its selected row, kept by the rules of the list interface
// (calc/controls.h): rows are appended and never reordered, at most kMaxListRows of them;
// Clear leaves no row selected; only an existing row, or -1 for none, can be selected.
// For the backends whose lists keep their rows themselves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/controls.h"

namespace korvanta {

class ListRows {
public:
    std::int16_t Count() const { return static_cast<std::int16_t>(rows_.size()); }
    // The text of a row; the empty text for a row that does not exist.
    std::string Row(std::int16_t row) const {
        return row >= 0 && row < Count() ? rows_[static_cast<std::size_t>(row)] : std::string();
    }
    // Whether the row was added: not past kMaxListRows.
    bool Add(std::string_view text) {
        if (rows_.size() >= kMaxListRows) {
            return false;
        }
        rows_.emplace_back(text);
        return true;
    }
    void Clear() {
        rows_.clear();
        selected_ = -1;
    }
    std::int16_t Selected() const { return selected_; }
    // Whether the selection changed: not for a row already selected or one that does not exist.
    bool Select(std::int16_t row) {
        if (row < -1 || row >= Count() || row == selected_) {
            return false;
        }
        selected_ = row;
        return true;
    }

private:
    std::vector<std::string> rows_;
    std::int16_t selected_ = -1;
};

} // namespace korvanta
