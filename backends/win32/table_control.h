// SPDX-License-Identifier: MIT
// A table of the window description as Windows' own table: a list view in report mode
// with a column under each heading of the description, one row selected at a time. The
// form writes whole rows, their cells separated by tabs; the list view shows each cell
// in its column, and the rows come back exactly as they were written.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/controls.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta::win32 {

// The class, styles and extended styles of a table's list view.
inline constexpr DWORD kTableStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
inline constexpr DWORD kTableExtendedStyle = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;

// The space a heading's text needs beside it, both sides together, in pixels at 96 DPI:
// the header control keeps three edges' widths clear on either side.
inline constexpr int kHeadingMargins = 12;

// Posted to the table's parent, with the table's control identifier as wParam, when the
// user has left a row and the list view may still choose another in the same action.
inline constexpr UINT kCheckTableSelection = WM_APP + 1;

// Posted to the table's parent, with the table's control identifier as wParam, after the
// table was cleared: the rows not written again by then go (TableControl::Trim).
inline constexpr UINT kTrimTable = WM_APP + 2;

class TableControl final : public ListBox {
public:
    // Adds a column under each heading of the description, at `dpi`.
    TableControl(HWND hwnd, const ControlSpec &design, WindowEvents *const &events, int dpi);

    // The columns' widths for another DPI.
    void SetDpi(int dpi);
    // The headings in the language chosen now, each column wide enough for its heading.
    void Retranslate();

    std::int16_t ListCount() const override { return static_cast<std::int16_t>(rows_.size()); }
    std::string List(std::int16_t row) const override;
    void AddItem(std::string_view text) override;
    void Clear() override;
    std::int16_t ListIndex() const override;
    void SetListIndex(std::int16_t row) override;

    // The list view's LVN_ITEMCHANGED, as its parent receives it.
    void ItemChanged(const NMLISTVIEW &change);
    // kCheckTableSelection, as the parent receives it.
    void CheckSelection();
    // Removes the rows of the list view that were cleared and not written again. Called
    // when the handlers' turn is over, and on kTrimTable.
    void Trim();

private:
    // Raises RowChosen when the selected row is not the one last told.
    void Tell(std::int16_t row);

    HWND hwnd_;
    const ControlSpec &design_;
    WindowEvents *const &events_;
    std::size_t columns_ = 0;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<std::string> rows_; // as written; the list view shows their cells
    // What each row of the list view shows. A table written again after Clear, as the
    // handlers write it on every step, keeps the rows that come back as they were and
    // changes only the others, so that only they are laid out and painted again; until
    // Trim, the list view may hold rows past the last one written.
    std::vector<std::string> shown_;
    bool trimPosted_ = false;
    std::int16_t told_ = -1; // the selected row as the handlers last heard it
    bool quiet_ = false;     // the program changes the list: it tells the handlers itself
    bool checkPosted_ = false;
};

} // namespace korvanta::win32
