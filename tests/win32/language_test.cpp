// SPDX-License-Identifier: MIT
// The language entries of the window menu on real Windows controls, and every open window
// in English: its words, the radio mark on the language chosen, and captions that fit.
#include <gtest/gtest.h>

#include <string>

#include "backends/win32/table_control.h"
#include "calc/texts.h"
#include "tests/win32/win32_driver.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

// The state of a language's entry in the window menu: MFS_CHECKED shown as a radio mark.
struct EntryState {
    bool radio;
    bool checked;
    friend bool operator==(EntryState, EntryState) = default;
};
void PrintTo(EntryState state, std::ostream *out) {
    *out << (state.radio ? "radio, " : "not radio, ") << (state.checked ? "checked" : "not checked");
}

EntryState StateOf(HMENU menu, std::string_view name) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[64] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = static_cast<UINT>(std::size(text));
        if (GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) && win32::ToUtf8(text) == name) {
            return {(item.fType & MFT_RADIOCHECK) != 0, (item.fState & MFS_CHECKED) != 0};
        }
    }
    ADD_FAILURE() << "no entry " << name;
    return {};
}

// The width of a text in a control's font, in pixels.
int TextWidth(HWND control, const std::wstring &text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

TEST(TheLanguages, SwitchEveryOpenWindowAndMarkTheLanguageChosen) {
    struct BackToBulgarian {
        ~BackToBulgarian() { SetLanguage("bg"); }
    } guard;
    Win32Driver driver;
    Program program(driver.window(), driver.windows());
    driver.PressFunctionKey(1);
    driver.PressFunctionKey(2);
    const HMENU system = GetSystemMenu(driver.window().hwnd(), FALSE);
    EXPECT_EQ(StateOf(system, "Български"), (EntryState{true, true}));
    EXPECT_EQ(StateOf(system, "English"), (EntryState{true, false}));

    driver.ChooseLanguage("en");
    EXPECT_EQ(StateOf(system, "Български"), (EntryState{true, false}));
    EXPECT_EQ(StateOf(system, "English"), (EntryState{true, true}));
    EXPECT_EQ(StateOf(system, "Why does it work?\tF1").radio, false);
    for (const FormSpec *form : AllForms()) {
        const win32::Win32Window &window = form == &MainForm() ? driver.window() : *driver.windows().Built(*form);
        SCOPED_TRACE(form->name);
        EXPECT_EQ(TextOf(window.hwnd()), WindowCaption(*form));
        for (const ControlSpec &design : form->controls) {
            SCOPED_TRACE(std::string(design.name) + "(" + std::to_string(design.index) + ")");
            const HWND control = window.ControlWindow(design.array, design.index);
            RECT client{};
            GetClientRect(control, &client);
            if (design.kind == ControlKind::Label || design.kind == ControlKind::Button) {
                EXPECT_EQ(TextOf(control), Tr(design.text));
                // A button's caption keeps clear of its two-pixel edges on both sides.
                const int room = client.right - (design.kind == ControlKind::Button ? 4 : 0);
                EXPECT_LE(TextWidth(control, win32::ToUtf16(Tr(design.text))), room) << "does not fit";
            } else if (design.kind == ControlKind::Table) {
                EXPECT_EQ(HeadingsOf(control), Tr(design.text));
                const std::vector<std::string_view> headings = Cells(Tr(design.text));
                for (std::size_t column = 0; column < headings.size(); ++column) {
                    const auto width = SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0);
                    EXPECT_GE(width, TextWidth(control, win32::ToUtf16(headings[column])) + win32::kHeadingMargins)
                        << headings[column];
                }
            }
        }
    }

    driver.ChooseLanguage("bg");
    EXPECT_EQ(StateOf(system, "Български"), (EntryState{true, true}));
    EXPECT_EQ(StateOf(system, "Защо става така?\tF1").checked, false);
    EXPECT_EQ(TextOf(driver.window().hwnd()), WindowCaption(MainForm()));
}

} // namespace
} // namespace korvanta::testing
