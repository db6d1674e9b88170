// SPDX-License-Identifier: MIT
// The main window's menu and the window it opens, on real Windows controls: the menu's
// key, window menu and context menu; Esc; the explanation's table as a list view.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "backends/win32/table_control.h"
#include "tests/win32/win32_driver.h"
#include "ui/program.h"

namespace korvanta::testing {
namespace {

struct RecordedEvents final : WindowEvents {
    void Clicked(ControlArray, std::int16_t) override {}
    void RowChosen(ControlArray, std::int16_t) override { ++rowsChosen; }
    void MenuChosen(const MenuEntry &entry) override { menu.push_back(&entry); }
    int rowsChosen = 0;
    std::vector<const MenuEntry *> menu;
};

// Each entry's key wherever the focus is in the main window (where Esc does nothing), the
// window menu, and the context menu of the form, a label and a list choose the entry; the
// text boxes keep their own edit menus.
TEST(TheMenu, EveryWayToEachEntryChoosesIt) {
    Win32Driver driver;
    const HWND main = driver.window().hwnd();
    RecordedEvents events;
    driver.window().Connect(events);
    const std::span<const MenuEntry> entries = MainForm().menu;
    ASSERT_EQ(entries.size(), 4u);
    const std::size_t commands = 2; // then the languages, after a separator of their own
    ASSERT_EQ(entries[commands].command, MenuCommand::Language);
    const HMENU system = GetSystemMenu(main, FALSE);
    const int first = GetMenuItemCount(system) - static_cast<int>(entries.size()) - 1;
    EXPECT_TRUE(GetMenuState(system, static_cast<UINT>(first - 1), MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(GetMenuState(system, static_cast<UINT>(first) + commands, MF_BYPOSITION) & MF_SEPARATOR);

    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        SCOPED_TRACE(entries[entry].text);
        const std::vector<const MenuEntry *> once{&entries[entry]};
        for (const ControlSpec &design : MainForm().controls) {
            if (design.kind != ControlKind::Label && entries[entry].functionKey > 0) {
                SetFocus(driver.Hwnd(design.array, design.index));
                driver.PressKey(static_cast<WPARAM>(VK_F1 + entries[entry].functionKey - 1));
                driver.PressKey(VK_ESCAPE);
                EXPECT_EQ(std::exchange(events.menu, {}), once)
                    << "its key in " << design.name << "(" << design.index << ")";
                EXPECT_TRUE(IsWindowVisible(main)) << "Esc in " << design.name << "(" << design.index << ")";
            }
        }

        const auto position = static_cast<UINT>(first) + static_cast<UINT>(entry) + (entry < commands ? 0 : 1);
        wchar_t text[64] = {};
        GetMenuStringW(system, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        const int key = entries[entry].functionKey;
        EXPECT_EQ(win32::ToUtf8(text), std::string(entries[entry].text) + (key > 0 ? "\tF" + std::to_string(key) : ""));
        const UINT id = GetMenuItemID(system, static_cast<int>(position));
        EXPECT_TRUE(id % 16 == 0 && id < 0xF000) << id << ": the window menu's own bits and commands";
        SendMessageW(main, WM_SYSCOMMAND, id, 0);
        EXPECT_EQ(std::exchange(events.menu, {}), once) << "the window menu";

        // The context menu's entry chosen with the keyboard, as the menu takes it: Down to
        // the entry, Enter.
        const auto contextMenu = [&](HWND from, UINT message, LPARAM at) {
            for (std::size_t down = 0; down <= entry; ++down) {
                PostMessageW(main, WM_KEYDOWN, VK_DOWN, 0);
            }
            PostMessageW(main, WM_KEYDOWN, VK_RETURN, 0);
            SendMessageW(from, message, reinterpret_cast<WPARAM>(from), at);
            PumpMessages(&driver.window());
            return std::exchange(events.menu, {});
        };
        const RECT label = PlaceOf(driver.Hwnd(ControlArray::Label2, 0));
        EXPECT_EQ(contextMenu(main, WM_RBUTTONUP, MAKELPARAM(label.left + 2, label.top + 2)), once) << "on a label";
        EXPECT_EQ(contextMenu(driver.Hwnd(ControlArray::List1, 1), WM_CONTEXTMENU, -1), once) << "Shift+F10 in a list";
        EXPECT_EQ(contextMenu(driver.Hwnd(ControlArray::Text2, 0), WM_CONTEXTMENU, -1),
                  std::vector<const MenuEntry *>{})
            << "an input's own edit menu";
    }
}

// F1 opens the explanation with the keyboard in its table; Esc from any of its controls,
// or its close button, hides it and gives the keyboard back to the main window; it comes
// back where it was left, and goes with the main window.
TEST(TheExplanation, ComesAndGoes) {
    Win32Driver driver;
    Program program(driver.main(), driver.host());
    const HWND calculate = driver.Hwnd(ControlArray::Command1, 0);
    SetFocus(calculate);
    driver.PressFunctionKey(1);
    const HWND why = driver.windows().Built(ExplainForm())->hwnd();
    EXPECT_EQ(GetFocus(), driver.Hwnd(ControlArray::ExplainRows, 0));
    for (const ControlSpec &design : ExplainForm().controls) {
        driver.PressFunctionKey(1);
        SetFocus(driver.Hwnd(design.array, design.index));
        driver.PressEscape(ExplainForm());
        EXPECT_FALSE(driver.Shown(ExplainForm())) << "Esc in " << design.name;
        EXPECT_EQ(GetFocus(), calculate) << "after Esc in " << design.name;
    }
    driver.PressFunctionKey(1);
    SendMessageW(why, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(driver.Shown(ExplainForm())) << "the close button";

    SetWindowPos(why, nullptr, 100, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    driver.PressFunctionKey(1);
    RECT frame{};
    GetWindowRect(why, &frame);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 500);
    DestroyWindow(driver.window().hwnd());
    EXPECT_FALSE(IsWindow(why));
}

// The practice, built on the first F2, opens with the keyboard in the next row's first
// input and gets it back there; each answer Enter brings is raised as a live region's
// change, for screen readers; the feedback box has a scroll bar only while it needs one.
std::vector<HWND> announced; // the windows of the live-region events seen
void CALLBACK Announced(HWINEVENTHOOK, DWORD, HWND hwnd, LONG, LONG, DWORD, DWORD) { announced.push_back(hwnd); }

TEST(ThePractice, KeepsTheKeyboardAndAnnouncesEachAnswer) {
    Win32Driver driver;
    Program program(driver.main(), driver.host(), [](std::int64_t low, std::int64_t) { return low; });
    EXPECT_EQ(driver.windows().Built(PracticeForm()), nullptr) << "built on first use only";
    driver.PressFunctionKey(2);
    const HWND entry = driver.Hwnd(ControlArray::PracticeEntry, 0);
    const HWND feedback = driver.Hwnd(ControlArray::PracticeFeedback, 0);
    EXPECT_EQ(GetFocus(), entry);

    constexpr DWORD kLiveRegionChanged = 0x8019;
    announced.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, Announced,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    driver.PressKey(VK_RETURN);
    driver.PressKey(VK_RETURN);
    UnhookWinEvent(hook);
    EXPECT_EQ(announced, std::vector<HWND>(2, feedback));
    EXPECT_EQ(GetFocus(), entry);

    SetFocus(feedback);
    driver.PressEscape(PracticeForm());
    EXPECT_EQ(GetFocus(), driver.Hwnd(ControlArray::Text1, 0)) << "the main window's keyboard back";
    driver.PressFunctionKey(2);
    EXPECT_EQ(GetFocus(), feedback) << "where it was left";

    const auto barShown = [feedback] { return (GetWindowLongW(feedback, GWL_STYLE) & WS_VSCROLL) != 0; };
    EXPECT_FALSE(barShown());
    TextBox &box = driver.windows().Built(PracticeForm())->controls().Text(ControlArray::PracticeFeedback, 0);
    box.SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
    EXPECT_TRUE(barShown());
    box.SetText("1");
    EXPECT_FALSE(barShown());
}

// The table: a list view in report mode under the description's headings, at its place and
// column widths for the window's DPI; one row selected at a time, and a row chosen with
// the mouse or the keys told to the handlers once, where it ends.
class TheTable : public ::testing::TestWithParam<int> {};

TEST_P(TheTable, TellsTheRowChosenOnce) {
    Win32Driver driver;
    Window &why = driver.host().Build(ExplainForm());
    driver.host().Show(why);
    const HWND table = driver.Hwnd(ControlArray::ExplainRows, 0);
    int dpi = driver.windows().Built(ExplainForm())->dpi();
    if (GetParam() != 0) {
        dpi = GetParam();
        RECT suggested{40, 30, 40 + 900, 30 + 800};
        SendMessageW(GetParent(table), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    const ControlSpec &design = *FindControl(ControlArray::ExplainRows, 0);
    EXPECT_EQ(GetWindowLongW(table, GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL), LVS_REPORT | LVS_SINGLESEL);
    EXPECT_EQ(driver.Caption(ControlArray::ExplainRows, 0), design.text);
    const PixelRect place = TwipsToPixels(design.rect, dpi);
    EXPECT_EQ(PlaceOf(table).left, place.left);
    EXPECT_EQ(PlaceOf(table).bottom, place.bottom());
    for (std::size_t column = 0; column < design.columns.size(); ++column) {
        EXPECT_EQ(SendMessageW(table, LVM_GETCOLUMNWIDTH, column, 0), TwipsToPixels(design.columns[column], dpi));
    }

    RecordedEvents events;
    why.Connect(events);
    ListBox &rows = why.controls().List(ControlArray::ExplainRows, 0);
    for (const char *row : {"0\t26\t0\t1\t24\tне", "1\t13\t1\t2\t48\tда", "2\t6\t0\t4\t96\tне"}) {
        rows.AddItem(row);
    }
    driver.ChooseRow(ControlArray::ExplainRows, 0, 1);
    driver.ChooseRow(ControlArray::ExplainRows, 0, 2);
    EXPECT_EQ(rows.ListIndex(), 2);
    EXPECT_EQ(events.rowsChosen, 2) << "another row clicked: told once";
    SetFocus(table);
    driver.PressKey(VK_UP);
    EXPECT_EQ(rows.ListIndex(), 1);
    EXPECT_EQ(events.rowsChosen, 3) << "an arrow key: told once";
    RECT last{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(table, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
    ClickAt(table, {last.left + 2, last.bottom + 2 * (last.bottom - last.top)});
    PumpMessages(&driver.window());
    EXPECT_EQ(rows.ListIndex(), -1);
    EXPECT_EQ(events.rowsChosen, 4) << "a click below the rows leaves none";
}

// The headings of every table are shown whole, where the description's widths are too
// narrow for them in this font too.
TEST_P(TheTable, ShowsEveryHeadingWhole) {
    Win32Driver driver;
    for (const FormSpec *form : {&ExplainForm(), &PracticeForm()}) {
        auto &window = static_cast<win32::Win32Window &>(driver.host().Build(*form));
        const int dpi = GetParam() != 0 ? GetParam() : window.dpi();
        RECT suggested{40, 30, 40 + 900, 30 + 800};
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const ControlSpec &design = *std::find_if(form->controls.begin(), form->controls.end(),
                                                  [](const ControlSpec &c) { return c.kind == ControlKind::Table; });
        const HWND table = window.ControlWindow(design.array, design.index);
        const std::vector<std::string_view> headings = Cells(design.text);
        for (std::size_t column = 0; column < headings.size(); ++column) {
            const std::wstring text = win32::ToUtf16(headings[column]);
            EXPECT_GE(SendMessageW(table, LVM_GETCOLUMNWIDTH, column, 0),
                      SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())) +
                          MulDiv(win32::kHeadingMargins, dpi, USER_DEFAULT_SCREEN_DPI))
                << form->name << ": " << headings[column];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, TheTable, ::testing::Values(0, 144), [](const auto &info) {
    return info.param == 0 ? std::string("AsOpened") : "Dpi" + std::to_string(info.param);
});

} // namespace
} // namespace korvanta::testing
