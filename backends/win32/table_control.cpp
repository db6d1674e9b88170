// SPDX-License-Identifier: MIT
#include "backends/win32/table_control.h"

#include <algorithm>

#include "backends/win32/utf16.h"
#include "calc/texts.h"

namespace korvanta::win32 {
namespace {

// Sets the text of a cell: column 0 is the item itself, the others its subitems.
void SetCell(HWND hwnd, int row, int column, std::string_view text) {
    std::wstring wide = ToUtf16(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

} // namespace

TableControl::TableControl(HWND hwnd, const ControlSpec &design, WindowEvents *const &events, int dpi)
    : hwnd_(hwnd), design_(design), events_(events) {
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, kTableExtendedStyle, kTableExtendedStyle);
    const std::vector<std::string_view> headings = Cells(Tr(design.text));
    columns_ = headings.size();
    for (std::size_t column = 0; column < headings.size(); ++column) {
        std::wstring heading = ToUtf16(headings[column]);
        LVCOLUMNW title{};
        title.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        title.fmt = LVCFMT_LEFT;
        title.pszText = heading.data();
        title.iSubItem = static_cast<int>(column);
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&title));
    }
    SetDpi(dpi);
}

void TableControl::Retranslate() {
    const std::vector<std::string_view> headings = Cells(Tr(design_.text));
    for (std::size_t column = 0; column < std::min(columns_, headings.size()); ++column) {
        std::wstring heading = ToUtf16(headings[column]);
        LVCOLUMNW title{};
        title.mask = LVCF_TEXT;
        title.pszText = heading.data();
        SendMessageW(hwnd_, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&title));
    }
    SetDpi(dpi_);
}

// Each column as wide as the description makes it, and never too narrow for its heading:
// a heading cut short is no heading (the fonts differ from machine to machine).
void TableControl::SetDpi(int dpi) {
    dpi_ = dpi;
    const std::vector<std::string_view> headings = Cells(Tr(design_.text));
    for (std::size_t column = 0; column < design_.columns.size(); ++column) {
        int width = TwipsToPixels(design_.columns[column], dpi);
        if (column < headings.size()) {
            const std::wstring heading = ToUtf16(headings[column]);
            const auto text = static_cast<int>(
                SendMessageW(hwnd_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(heading.c_str())));
            width = std::max(width, text + MulDiv(kHeadingMargins, dpi, USER_DEFAULT_SCREEN_DPI));
        }
        SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
    }
}

std::string TableControl::List(std::int16_t row) const {
    return row >= 0 && row < ListCount() ? rows_[static_cast<std::size_t>(row)] : std::string();
}

void TableControl::AddItem(std::string_view text) {
    if (ListCount() >= kMaxListRows) {
        return;
    }
    const std::vector<std::string_view> cells = Cells(text);
    const int row = ListCount();
    const auto cell = [&cells](std::size_t column) { return column < cells.size() ? cells[column] : ""; };
    quiet_ = true;
    if (static_cast<std::size_t>(row) < shown_.size()) {
        // A row of the list view left from before Clear: its cells change where they differ.
        std::string &shown = shown_[static_cast<std::size_t>(row)];
        if (shown != text) {
            const std::vector<std::string_view> before = Cells(shown);
            for (std::size_t column = 0; column < columns_; ++column) {
                if (column >= before.size() || before[column] != cell(column)) {
                    SetCell(hwnd_, row, static_cast<int>(column), cell(column));
                }
            }
            shown = text;
        }
        rows_.emplace_back(text);
        quiet_ = false;
        return;
    }
    std::wstring first = ToUtf16(cells.front());
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = first.data();
    const bool added = SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) == row;
    // Cells past the last heading have no column to show them in.
    for (std::size_t column = 1; added && column < std::min(columns_, cells.size()); ++column) {
        SetCell(hwnd_, row, static_cast<int>(column), cells[column]);
    }
    quiet_ = false;
    if (added) {
        rows_.emplace_back(text);
        shown_.emplace_back(text);
    }
}

void TableControl::Clear() {
    // No row stays selected; the rows themselves stay until it is known which come back.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    quiet_ = true;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    quiet_ = false;
    rows_.clear();
    told_ = -1;
    if (!shown_.empty() && !trimPosted_) {
        trimPosted_ = PostMessageW(GetParent(hwnd_), kTrimTable, static_cast<WPARAM>(GetDlgCtrlID(hwnd_)), 0) != FALSE;
    }
}

void TableControl::Trim() {
    trimPosted_ = false;
    if (shown_.size() <= rows_.size()) {
        return;
    }
    quiet_ = true;
    if (rows_.empty()) {
        SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
        shown_.clear();
    }
    while (shown_.size() > rows_.size()) {
        shown_.pop_back();
        SendMessageW(hwnd_, LVM_DELETEITEM, shown_.size(), 0);
    }
    quiet_ = false;
}

std::int16_t TableControl::ListIndex() const {
    const LRESULT row = SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return row < 0 || row >= ListCount() ? std::int16_t{-1} : static_cast<std::int16_t>(row);
}

void TableControl::SetListIndex(std::int16_t row) {
    if (row < -1 || row >= ListCount() || row == ListIndex()) {
        return;
    }
    // The row chosen also takes the list's focus, so that the arrow keys go on from it.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | (row >= 0 ? LVIS_FOCUSED : 0);
    state.state = row >= 0 ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    quiet_ = true;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    if (row >= 0) {
        SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
    quiet_ = false;
    Tell(row);
}

void TableControl::ItemChanged(const NMLISTVIEW &change) {
    if (quiet_ || (change.uChanged & LVIF_STATE) == 0 || ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) {
        return;
    }
    // A click or a key on another row first leaves the selected row and then selects the
    // new one, each with a notification of its own: the handlers hear only where it ends.
    if (const std::int16_t row = ListIndex(); row >= 0) {
        Tell(row);
    } else if (!checkPosted_) {
        // Left without a row so far: whether another row follows is known once the list
        // view has finished with the click or key.
        checkPosted_ =
            PostMessageW(GetParent(hwnd_), kCheckTableSelection, static_cast<WPARAM>(GetDlgCtrlID(hwnd_)), 0) != FALSE;
    }
}

void TableControl::CheckSelection() {
    checkPosted_ = false;
    Tell(ListIndex());
}

void TableControl::Tell(std::int16_t row) {
    if (row == told_) {
        return;
    }
    told_ = row;
    if (events_ != nullptr) {
        events_->RowChosen(design_.array, design_.index);
    }
}

} // namespace korvanta::win32
