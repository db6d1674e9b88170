// SPDX-License-Identifier: MIT
// The hand of a user on the Win32 window, and what the Windows tests share: the
// program files under test and reading controls with plain window messages.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backends/win32/utf16.h"
#include "backends/win32/win32_window.h"
#include "tests/window_driver.h"

namespace korvanta::testing {

// The program files named on the test program's command line.
struct ProgramFiles {
    std::wstring program64; // --program64=PATH
    std::wstring program32; // --program32=PATH
    bool leaveOpen = false; // --leave-open: the started program stays open for a screenshot
};
ProgramFiles &Programs();

// The text of a window or control, read with WM_GETTEXT (also across processes).
inline std::string TextOf(HWND hwnd) {
    wchar_t buffer[4096] = {};
    const LRESULT length = SendMessageW(hwnd, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    return win32::ToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(length)));
}

// The rows of a list box, read with LB_GETCOUNT and LB_GETTEXT.
inline std::vector<std::string> RowsOf(HWND list) {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        rows.push_back(win32::ToUtf8(text));
    }
    return rows;
}

// Dispatches what is waiting in this thread's queue (painting, posted messages).
inline void PumpMessages(win32::Win32Window *window = nullptr) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (window == nullptr || !window->TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

class Win32Driver final : public WindowDriver {
public:
    Win32Driver() {
        window_.Show(SW_SHOW);
        PumpMessages(&window_);
    }

    win32::Win32Window &window() { return window_; }
    HWND Hwnd(ControlArray array, int index) const { return window_.ControlWindow(array, index); }

    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override {
        const HWND button = Hwnd(ControlArray::Command1, index);
        // A user cannot click a disabled button, while wine delivers BM_CLICK to it all the same.
        if (IsWindowEnabled(button)) {
            SendMessageW(button, BM_CLICK, 0, 0);
        }
    }
    void SelectRow(std::int16_t list, std::int16_t row) override {
        // What a user's click on a row amounts to: the list selects it and notifies its parent.
        const HWND hwnd = Hwnd(ControlArray::List1, list);
        SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        SetWindowTextW(Hwnd(array, index), win32::ToUtf16(text).c_str());
    }
    std::string Caption(ControlArray array, std::int16_t index) override { return TextOf(Hwnd(array, index)); }

private:
    win32::Win32Window window_{GetModuleHandleW(nullptr)};
};

} // namespace korvanta::testing
