// SPDX-License-Identifier: MIT
// The hand of a user on the Win32 windows, and what the Windows tests share: the
// program files under test and reading controls with plain window messages.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "backends/win32/utf16.h"
#include "backends/win32/win32_host.h"
#include "backends/win32/win32_window.h"
#include "calc/texts.h"
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

// A control's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// The headings of a list view, separated by tabs, read with HDM_GETITEMW.
inline std::string HeadingsOf(HWND listView) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    std::string headings;
    const LRESULT count = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    for (LRESULT column = 0; column < count; ++column) {
        wchar_t text[256] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        headings += (column > 0 ? "\t" : "") + win32::ToUtf8(text);
    }
    return headings;
}

// A click of the left mouse button at a point of a control's client area. The button's
// release waits in the queue, as it would, for a control that watches for a drag.
inline void ClickAt(HWND control, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
}

class Win32Driver final : public ProgramDriver {
public:
    Win32Driver() {
        window_.Show(SW_SHOW);
        PumpMessages(&window_);
    }

    win32::Win32Window &window() { return window_; }
    win32::Win32Host &windows() { return host_; }
    // A control of the main window, or of a window of its menu once that is built.
    HWND Hwnd(ControlArray array, int index) const {
        const FormSpec *form = FormOf(array, index);
        const win32::Win32Window *window = form == &MainForm() ? &window_ : host_.Built(*form);
        return window != nullptr ? window->ControlWindow(array, index) : nullptr;
    }

    // A key pressed as the event loop sees it, where the keyboard's focus is
    // (or in `target`): offered to the program's keyboard handling, else dispatched.
    void PressKey(WPARAM key, bool shift = false, HWND target = GetFocus()) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
        if (!window_.TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpMessages(&window_);
    }

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
    std::string Caption(ControlArray array, std::int16_t index) override {
        const HWND control = Hwnd(array, index);
        return FindControl(array, index)->kind == ControlKind::Table ? HeadingsOf(control) : TextOf(control);
    }

    Window &main() override { return window_; }
    WindowHost &host() override { return host_; }
    void PressFunctionKey(int key) override { PressKeyIn(window_.hwnd(), static_cast<WPARAM>(VK_F1 + key - 1)); }
    void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) override {
        if (FindControl(array, index)->kind != ControlKind::Table) {
            SelectRow(index, row);
            return;
        }
        // The mouse on the row's first cell.
        const HWND table = Hwnd(array, index);
        RECT cell{LVIR_LABEL, 0, 0, 0};
        SendMessageW(table, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        ClickAt(table, {cell.left + 2, (cell.top + cell.bottom) / 2});
        PumpMessages(&window_);
    }
    bool Shown(const FormSpec &form) override {
        const win32::Win32Window *window = host_.Built(form);
        return window != nullptr && IsWindowVisible(window->hwnd());
    }
    void PressEscape(const FormSpec &form) override { PressKeyIn(host_.Built(form)->hwnd(), VK_ESCAPE); }
    void Click(ControlArray array, std::int16_t index) override {
        const HWND button = Hwnd(array, index);
        if (IsWindowEnabled(button)) {
            SendMessageW(button, BM_CLICK, 0, 0);
        }
        PumpMessages(&window_);
    }
    // Enter in the box, with the keyboard's focus there, as the event loop sees the key.
    void PressEnter(ControlArray array, std::int16_t index) override {
        const HWND box = Hwnd(array, index);
        SetFocus(box);
        PressKey(VK_RETURN, false, box);
    }

    // The language's entry of the main window's window menu (Alt+Space), found by its
    // name and chosen as the menu chooses it.
    void ChooseLanguage(std::string_view code) override {
        const HMENU system = GetSystemMenu(window_.hwnd(), FALSE);
        const auto language = std::find_if(Languages().begin(), Languages().end(),
                                           [code](const LanguageInfo &each) { return each.code == code; });
        ASSERT_NE(language, Languages().end()) << code;
        for (int position = 0; position < GetMenuItemCount(system); ++position) {
            wchar_t text[64] = {};
            GetMenuStringW(system, static_cast<UINT>(position), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
            if (win32::ToUtf8(text) == language->name) {
                SendMessageW(window_.hwnd(), WM_SYSCOMMAND, GetMenuItemID(system, position), 0);
                PumpMessages(&window_);
                return;
            }
        }
        FAIL() << "no entry for " << code << " in the window menu";
    }

private:
    // A key pressed in a window: where the keyboard's focus is, if it is there.
    void PressKeyIn(HWND window, WPARAM key) {
        const HWND focus = GetFocus();
        PressKey(key, false, IsChild(window, focus) ? focus : window);
    }

    win32::Win32Window window_{GetModuleHandleW(nullptr)};
    win32::Win32Host host_{GetModuleHandleW(nullptr), window_};
};

} // namespace korvanta::testing
