// The Win32 window on real Windows controls, driven and read with window messages.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tests/win32/win32_driver.h"
#include "ui/form.h"

namespace korvanta::testing {
namespace {

struct Clicks final : FormEvents {
    void Command1_Click(std::int16_t index) override { commands.push_back(index); }
    void List1_Click(std::int16_t index) override { lists.push_back(index); }
    std::vector<std::int16_t> commands;
    std::vector<std::int16_t> lists;
};

RECT PixelRect(const ControlSpec &spec, int dpi) {
    const TwipRect r = VisibleRect(spec);
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// Left, top, right, bottom: comparable and printable.
std::array<LONG, 4> Edges(const RECT &r) { return {r.left, r.top, r.right, r.bottom}; }

class Win32WindowTest : public ::testing::Test {
protected:
    HWND Hwnd(ControlArray array, int index) { return driver.Hwnd(array, index); }
    HWND Calculate() { return Hwnd(ControlArray::Command1, 0); }
    HWND Clear() { return Hwnd(ControlArray::Command1, 1); }
    HWND List(int index) { return Hwnd(ControlArray::List1, index); }
    HWND Main() { return driver.window().hwnd(); }

    // A key as the event loop sees it: offered to the dialog manager, else dispatched.
    void PressKey(WPARAM key, bool shift = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!driver.window().TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpMessages(&driver.window());
    }

    Win32Driver driver;
};

class WithForm : public Win32WindowTest {
protected:
    WithForm() { driver.Connect(form); }
    Korvanta form{driver.controls()};
};

struct Press {
    std::vector<std::string> left;
    std::vector<std::string> right;
    std::string working;
    std::string auxiliary;
    bool calculateEnabled;
};

TEST_F(WithForm, TheWorkedExampleOnWindowMessages) {
    const Press presses[] = {
        {{"24", "48"}, {"26", "13"}, "48 + ", "48", true},
        {{"24", "48", "96"}, {"26", "13", "6"}, "48 + ", "96", true},
        {{"24", "48", "96", "192"}, {"26", "13", "6", "3"}, "48 + 192 + ", "192", true},
        {{"24", "48", "96", "192", "384"}, {"26", "13", "6", "3", "1"}, "48 + 192 + 384 = 624\r\n", "192", false},
    };
    int number = 0;
    for (const Press &press : presses) {
        SCOPED_TRACE("press " + std::to_string(++number));
        SendMessageW(Calculate(), BM_CLICK, 0, 0);
        EXPECT_EQ(RowsOf(List(0)), press.left);
        EXPECT_EQ(RowsOf(List(1)), press.right);
        EXPECT_EQ(TextOf(Hwnd(ControlArray::Text1, 0)), press.working);
        EXPECT_EQ(TextOf(Hwnd(ControlArray::Text1, 1)), press.auxiliary);
        EXPECT_EQ(IsWindowEnabled(Calculate()) != FALSE, press.calculateEnabled);
        EXPECT_EQ(TextOf(Hwnd(ControlArray::Text2, 0)), "24");
        EXPECT_EQ(TextOf(Hwnd(ControlArray::Text2, 1)), "26");
    }
    // wine delivers BM_CLICK even to a disabled button; the window passes nothing on.
    SendMessageW(Calculate(), BM_CLICK, 0, 0);
    EXPECT_EQ(RowsOf(List(0)).size(), 5u);

    SendMessageW(Clear(), BM_CLICK, 0, 0);
    for (int i = 0; i <= 1; ++i) {
        EXPECT_EQ(SendMessageW(List(i), LB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(TextOf(Hwnd(ControlArray::Text2, i)), "");
    }
    EXPECT_EQ(TextOf(Hwnd(ControlArray::Text1, 0)), "");
    EXPECT_TRUE(IsWindowEnabled(Calculate()));
}

struct RowClick {
    const char *name;
    int list;
    int row;
};
void PrintTo(const RowClick &value, std::ostream *out) { *out << value.name; }

class ClickingARow : public WithForm, public ::testing::WithParamInterface<RowClick> {};

TEST_P(ClickingARow, SelectsItInBothColumns) {
    for (int press = 0; press < 4; ++press) {
        SendMessageW(Calculate(), BM_CLICK, 0, 0);
    }
    // The mouse on the row: the list box selects it and notifies on its own.
    const HWND list = List(GetParam().list);
    RECT row{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(GetParam().row), reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    PumpMessages(&driver.window());
    EXPECT_EQ(SendMessageW(List(0), LB_GETCURSEL, 0, 0), GetParam().row);
    EXPECT_EQ(SendMessageW(List(1), LB_GETCURSEL, 0, 0), GetParam().row);

    SendMessageW(Clear(), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(List(0), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(List(1), LB_GETCURSEL, 0, 0), LB_ERR);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClickingARow,
                         ::testing::Values(RowClick{"RightColumnRow2", 1, 2}, RowClick{"LeftColumnRow4", 0, 4},
                                           RowClick{"LeftColumnRow0", 0, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, AQuickDoubleClickIsTwoPresses) {
    Clicks clicks;
    driver.Connect(clicks);
    const LPARAM at = MAKELPARAM(5, 5);
    SendMessageW(Calculate(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(Calculate(), WM_LBUTTONUP, 0, at);
    SendMessageW(Calculate(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(Calculate(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks.commands, (std::vector<std::int16_t>{0, 0}));
}

struct EnterKey {
    const char *name;
    ControlArray array;
    int index;
    bool calculateEnabled;
    std::optional<std::int16_t> pressed; // the Command1 element Enter presses, if any
};
void PrintTo(const EnterKey &value, std::ostream *out) { *out << value.name; }

class TheEnterKey : public Win32WindowTest, public ::testing::WithParamInterface<EnterKey> {};

TEST_P(TheEnterKey, PressesCalculateFromAnInput) {
    Clicks clicks;
    driver.Connect(clicks);
    driver.controls().Command1(0).SetEnabled(GetParam().calculateEnabled);
    SetFocus(Hwnd(GetParam().array, GetParam().index));
    ASSERT_EQ(GetFocus(), Hwnd(GetParam().array, GetParam().index));
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks.commands,
              GetParam().pressed ? std::vector<std::int16_t>{*GetParam().pressed} : std::vector<std::int16_t>{});
}

INSTANTIATE_TEST_SUITE_P(Focus, TheEnterKey,
                         ::testing::Values(EnterKey{"Number1", ControlArray::Text2, 0, true, 0},
                                           EnterKey{"Number2", ControlArray::Text2, 1, true, 0},
                                           EnterKey{"Number1WhileCalculateIsDisabled", ControlArray::Text2, 0, false,
                                                    std::nullopt},
                                           EnterKey{"WorkingBox", ControlArray::Text1, 0, true, std::nullopt},
                                           EnterKey{"LeftColumn", ControlArray::List1, 0, true, std::nullopt},
                                           EnterKey{"FocusedClear", ControlArray::Command1, 1, true, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, TabAndShiftTabFollowTheTabOrderRoundTheWindow) {
    std::vector<HWND> order;
    for (const ControlSpec &spec : MainForm().controls) {
        if (spec.kind != ControlKind::Label) {
            order.push_back(Hwnd(spec.array, spec.index));
        }
    }
    EXPECT_EQ(GetFocus(), order.front()) << "the window opens with the first control focused";
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(order.front(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end) << "and the task statement not highlighted";
    for (std::size_t step = 1; step <= order.size(); ++step) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), order[step % order.size()]) << "Tab number " << step;
    }
    for (std::size_t step = 1; step <= order.size(); ++step) {
        PressKey(VK_TAB, true);
        EXPECT_EQ(GetFocus(), order[order.size() - step]) << "Shift+Tab number " << step;
    }
}

TEST_F(Win32WindowTest, DisablingTheFocusedCalculateHandsTheFocusOn) {
    SetFocus(Calculate());
    driver.controls().Command1(0).SetEnabled(false);
    EXPECT_EQ(GetFocus(), Clear());
}

TEST_F(Win32WindowTest, TheAuxiliaryBoxLiesOnTopOfTheWorkingBox) {
    const HWND working = Hwnd(ControlArray::Text1, 0);
    const HWND auxiliary = Hwnd(ControlArray::Text1, 1);
    const RECT a = PlaceOf(working);
    const RECT b = PlaceOf(auxiliary);
    RECT both{};
    ASSERT_TRUE(IntersectRect(&both, &a, &b));
    for (const POINT at :
         {POINT{both.left, both.top}, POINT{(both.left + both.right) / 2, (both.top + both.bottom) / 2},
          POINT{both.right - 1, both.bottom - 1}}) {
        EXPECT_EQ(ChildWindowFromPointEx(Main(), at, CWP_SKIPINVISIBLE), auxiliary) << at.x << ", " << at.y;
    }
    EXPECT_EQ(ChildWindowFromPointEx(Main(), POINT{a.left + 1, a.top + 1}, CWP_SKIPINVISIBLE), working);
}

struct Box {
    const char *name;
    ControlArray array;
    int index;
    bool editable;
};
void PrintTo(const Box &value, std::ostream *out) { *out << value.name; }

class TextBoxes : public Win32WindowTest, public ::testing::WithParamInterface<Box> {};

TEST_P(TextBoxes, OnlyTheInputsTakeTyping) {
    const HWND box = Hwnd(GetParam().array, GetParam().index);
    const std::string before = TextOf(box);
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, WM_CHAR, L'7', 1);
    EXPECT_EQ(TextOf(box), GetParam().editable ? "7" + before : before);
}

INSTANTIATE_TEST_SUITE_P(Boxes, TextBoxes,
                         ::testing::Values(Box{"WorkingBox", ControlArray::Text1, 0, false},
                                           Box{"AuxiliaryBox", ControlArray::Text1, 1, false},
                                           Box{"Number1", ControlArray::Text2, 0, true},
                                           Box{"Number2", ControlArray::Text2, 1, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, ShowsTheIconOfItsProgramFile) {
    // This test program carries the program's icon too.
    EXPECT_NE(SendMessageW(Main(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(Win32WindowTest, TheLongTextsWrapInsideTheirBoxes) {
    // The task statement has eleven lines; its long first line wraps into several.
    EXPECT_GT(SendMessageW(Hwnd(ControlArray::Text1, 0), EM_GETLINECOUNT, 0, 0), 14);
    EXPECT_GT(SendMessageW(Hwnd(ControlArray::Text1, 1), EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_TRUE(GetWindowLongW(Hwnd(ControlArray::Text1, 0), GWL_STYLE) & WS_VSCROLL);
}

// The window laid out for a DPI: as it opens, or after Windows moved it to a screen
// with another DPI (WM_DPICHANGED).
class AtDpi : public Win32WindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(AtDpi, ControlsSitWhereTheDescriptionSaysInItsFont) {
    int dpi = driver.window().dpi();
    if (GetParam() == 0) {
        const HDC screen = GetDC(nullptr);
        EXPECT_EQ(dpi, GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
    } else {
        dpi = GetParam();
        RECT suggested{40, 30, 40 + 900, 30 + 800};
        SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(driver.window().dpi(), dpi);
        RECT frame{};
        GetWindowRect(Main(), &frame);
        EXPECT_EQ(frame.left, 40);
        EXPECT_EQ(frame.top, 30);
    }
    const FormSpec &form = MainForm();
    RECT client{};
    GetClientRect(Main(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(form.clientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(form.clientHeight, dpi));
    EXPECT_EQ(TextOf(Main()), form.caption);

    for (const ControlSpec &spec : form.controls) {
        SCOPED_TRACE(std::string(spec.name) + "(" + std::to_string(spec.index) + ")");
        const HWND control = Hwnd(spec.array, spec.index);
        EXPECT_EQ(Edges(PlaceOf(control)), Edges(PixelRect(spec, dpi)));
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_EQ(win32::ToUtf8(font.lfFaceName), form.font.family);
        EXPECT_EQ(font.lfHeight, -MulDiv(form.font.pointSize, dpi, 72));
        EXPECT_EQ(font.lfWeight, form.font.weight);
        EXPECT_EQ(font.lfCharSet, form.font.charset);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, AtDpi, ::testing::Values(0, 120, 144), [](const auto &info) {
    return info.param == 0 ? std::string("AsOpened") : "Dpi" + std::to_string(info.param);
});

// The window as drawn: a copy of its client area.
class Picture {
public:
    explicit Picture(HWND hwnd) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
        RECT client{};
        GetClientRect(hwnd, &client);
        const HDC window = GetDC(hwnd);
        memory_ = CreateCompatibleDC(window);
        bitmap_ = CreateCompatibleBitmap(window, client.right, client.bottom);
        previous_ = SelectObject(memory_, bitmap_);
        BitBlt(memory_, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, window);
    }
    ~Picture() {
        SelectObject(memory_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
    }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;

    COLORREF At(int x, int y) const { return GetPixel(memory_, x, y); }
    // How many pixels of a rectangle have a colour.
    int Count(const RECT &rect, COLORREF color) const {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                count += At(x, y) == color;
            }
        }
        return count;
    }

private:
    HDC memory_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

COLORREF ToColorRef(Rgb color) { return RGB(color.red, color.green, color.blue); }

TEST_F(Win32WindowTest, TheWindowLabelsAndButtonsShowTheirBackColours) {
    const int dpi = driver.window().dpi();
    const Picture picture(Main());
    EXPECT_EQ(picture.At(2, 2), ToColorRef(MainForm().backColor)) << "the window";
    for (const ControlSpec &spec : MainForm().controls) {
        if (!spec.backColor) {
            continue;
        }
        const RECT place = PixelRect(spec, dpi);
        // Below the caption of a label, left of the caption of a button.
        const POINT spot = spec.kind == ControlKind::Label ? POINT{place.left + 2, place.bottom - 2}
                                                           : POINT{place.left + 6, (place.top + place.bottom) / 2};
        EXPECT_EQ(picture.At(spot.x, spot.y), ToColorRef(*spec.backColor)) << spec.name << "(" << spec.index << ")";
    }
    // The read-only boxes keep a text box's colours.
    for (int index = 0; index <= 1; ++index) {
        const HWND box = Hwnd(ControlArray::Text1, index);
        const HDC dc = GetDC(box);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(Main(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
        LOGBRUSH logBrush{};
        GetObjectW(brush, sizeof logBrush, &logBrush);
        EXPECT_EQ(logBrush.lbColor, GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
        ReleaseDC(box, dc);
    }
}

TEST_F(Win32WindowTest, ADisabledButtonShowsAnEngravedCaption) {
    RECT place = PlaceOf(Calculate());
    InflateRect(&place, -3, -3); // inside the raised edge
    const auto captionPixels = [&](int color) { return Picture(Main()).Count(place, GetSysColor(color)); };
    EXPECT_GT(captionPixels(COLOR_BTNTEXT), 20);
    driver.controls().Command1(0).SetEnabled(false);
    EXPECT_EQ(captionPixels(COLOR_BTNTEXT), 0);
    EXPECT_GT(captionPixels(COLOR_3DSHADOW), 20);
}

} // namespace
} // namespace korvanta::testing
