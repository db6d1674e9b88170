// SPDX-License-Identifier: MIT
// The language entries of the window menu on real Windows controls, and the captions of
// every open window in English.
#include <gtest/gtest.h>

#include <string>

#include "backends/win32/table_control.h"
#include "tests/win32/win32_driver.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

// The menu's radio entries, the checked one marked: "Български English*".
std::string RadioEntries(HMENU menu) {
    std::string entries;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[64] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = static_cast<UINT>(std::size(text));
        if (GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_RADIOCHECK) != 0) {
            entries += (entries.empty() ? "" : " ") + win32::ToUtf8(text) + ((item.fState & MFS_CHECKED) ? "*" : "");
        }
    }
    return entries;
}

// The width of a text in a control's font, in pixels.
int TextWidth(HWND control, std::string_view text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring wide = win32::ToUtf16(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

TEST(TheLanguages, AreRadioEntriesAndEveryCaptionFitsInEnglish) {
    struct BackToBulgarian {
        ~BackToBulgarian() { SetLanguage("bg"); }
    } guard;
    Win32Driver driver;
    Program program(driver.window(), driver.windows());
    driver.PressFunctionKey(1);
    driver.PressFunctionKey(2);
    const HMENU system = GetSystemMenu(driver.window().hwnd(), FALSE);
    EXPECT_EQ(RadioEntries(system), "Български* English");

    driver.ChooseLanguage("en");
    EXPECT_EQ(RadioEntries(system), "Български English*");
    for (const FormSpec *form : AllForms()) {
        const win32::Win32Window &window = form == &MainForm() ? driver.window() : *driver.windows().Built(*form);
        EXPECT_EQ(TextOf(window.hwnd()), WindowCaption(*form));
        for (const ControlSpec &design : form->controls) {
            const HWND control = window.ControlWindow(design.array, design.index);
            RECT client{};
            GetClientRect(control, &client);
            const std::vector<std::string_view> texts = Cells(Tr(design.text));
            for (std::size_t column = 0; design.kind == ControlKind::Table && column < texts.size(); ++column) {
                EXPECT_GE(SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0),
                          TextWidth(control, texts[column]) + win32::kHeadingMargins)
                    << texts[column];
            }
            // A button's caption keeps clear of its two-pixel edges.
            const int room = client.right - (design.kind == ControlKind::Button ? 4 : 0);
            if (design.kind == ControlKind::Label || design.kind == ControlKind::Button) {
                EXPECT_LE(TextWidth(control, Tr(design.text)), room) << Tr(design.text) << " does not fit";
            }
        }
    }
    driver.ChooseLanguage("bg");
    EXPECT_EQ(RadioEntries(system), "Български* English");
}

} // namespace
} // namespace korvanta::testing
