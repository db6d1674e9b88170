// SPDX-License-Identifier: MIT
// The Win32 window on real Windows controls, driven and read with window messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/win32/win32_driver.h"
#include "ui/form.h"

namespace korvanta::testing {
namespace {

// Where the description places a control, in pixels at `dpi`.
RECT DescribedPlace(const ControlSpec &design, int dpi) {
    const PixelRect pixels = TwipsToPixels(VisibleRect(design), dpi);
    return {pixels.left, pixels.top, pixels.right(), pixels.bottom()};
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
    RecordedClicks clicks;
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
    RecordedClicks clicks;
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
    for (const ControlSpec &design : MainForm().controls) {
        if (design.kind != ControlKind::Label) {
            order.push_back(Hwnd(design.array, design.index));
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
    if (GetParam().editable) {
        EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), FindControl(GetParam().array, GetParam().index)->maxLength);
    }
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

    for (const ControlSpec &design : form.controls) {
        SCOPED_TRACE(std::string(design.name) + "(" + std::to_string(design.index) + ")");
        const HWND control = Hwnd(design.array, design.index);
        EXPECT_EQ(Edges(PlaceOf(control)), Edges(DescribedPlace(design, dpi)));
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
    // The smallest rectangle holding every pixel of a rectangle that differs from a colour.
    RECT Ink(const RECT &rect, COLORREF background) const {
        RECT ink{rect.right, rect.bottom, rect.left, rect.top};
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (At(x, y) != background) {
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                           std::max<LONG>(ink.bottom, y + 1)};
                }
            }
        }
        return ink;
    }
    // How many pixels of a rectangle have a colour, each channel within a tolerance
    // (smoothed text blends its colour into the background at the edges of strokes).
    int Count(const RECT &rect, COLORREF color, int tolerance = 0) const {
        const auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const COLORREF at = At(x, y);
                count += close(GetRValue(at), GetRValue(color)) && close(GetGValue(at), GetGValue(color)) &&
                         close(GetBValue(at), GetBValue(color));
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
    for (const ControlSpec &design : MainForm().controls) {
        if (!design.backColor) {
            continue;
        }
        const RECT place = DescribedPlace(design, dpi);
        // Below the caption of a label, left of the caption of a button.
        const POINT spot = design.kind == ControlKind::Label ? POINT{place.left + 2, place.bottom - 2}
                                                             : POINT{place.left + 6, (place.top + place.bottom) / 2};
        EXPECT_EQ(picture.At(spot.x, spot.y), ToColorRef(*design.backColor))
            << design.name << "(" << design.index << ")";
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

// The typeface a font file gives itself in its name table: the face actually drawn,
// also where the system replaces one face by another.
std::string FamilyInFontFile(HDC dc) {
    constexpr DWORD kNameTable = 'n' | 'a' << 8 | 'm' << 16 | 'e' << 24;
    const DWORD size = GetFontData(dc, kNameTable, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 6) {
        return "(no name table)";
    }
    std::vector<unsigned char> table(size);
    GetFontData(dc, kNameTable, 0, table.data(), size);
    const auto word = [&](std::size_t at) -> std::size_t {
        return at + 1 < table.size() ? static_cast<std::size_t>(table[at] << 8 | table[at + 1]) : 0;
    };
    const std::size_t strings = word(4);
    for (std::size_t record = 6; record < 6 + 12 * word(2); record += 12) {
        // Windows platform, Unicode, US English: the family name (name 1), big-endian UTF-16.
        if (word(record) == 3 && word(record + 2) == 1 && word(record + 4) == 0x409 && word(record + 6) == 1) {
            std::wstring name;
            for (std::size_t at = strings + word(record + 10); name.size() < word(record + 8) / 2; at += 2) {
                name += static_cast<wchar_t>(word(at));
            }
            return win32::ToUtf8(name);
        }
    }
    return "(no family name)";
}

// The font a control draws with, as a device context with it selected reports it.
struct DrawnFont {
    std::string face;       // the name the font was asked for
    std::string fileFamily; // the family of the font file drawn
    TEXTMETRICW metrics;
};

DrawnFont FontOf(HWND control) {
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawnFont font{};
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    font.face = win32::ToUtf8(face);
    font.fileFamily = FamilyInFontFile(dc);
    GetTextMetricsW(dc, &font.metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return font;
}

// Labels: the title centred across its box, the others from its left edge, every
// caption centred vertically.
TEST_F(Win32WindowTest, LabelsPlaceTheirCaptionsAsDescribed) {
    const int dpi = driver.window().dpi();
    const Picture picture(Main());
    for (const ControlSpec &design : MainForm().controls) {
        if (design.kind != ControlKind::Label) {
            continue;
        }
        SCOPED_TRACE(std::string(design.name) + "(" + std::to_string(design.index) + ")");
        const LONG style = GetWindowLongW(Hwnd(design.array, design.index), GWL_STYLE);
        EXPECT_EQ(style & SS_TYPEMASK, design.align == TextAlign::Center ? SS_CENTER : SS_LEFT);
        EXPECT_TRUE(style & SS_CENTERIMAGE);

        const RECT place = DescribedPlace(design, dpi);
        const RECT ink = picture.Ink(place, ToColorRef(*design.backColor));
        ASSERT_LT(ink.left, ink.right) << "no caption drawn";
        const LONG left = ink.left - place.left;
        const LONG right = place.right - ink.right;
        if (design.align == TextAlign::Center) {
            EXPECT_LE(std::abs(left - right), 2) << "left " << left << ", right " << right;
        } else {
            EXPECT_LE(left, 2);
            EXPECT_GT(right, left);
        }
        // The caption's line, ascent over descent, sits in the middle of the box.
        const TEXTMETRICW metrics = FontOf(Hwnd(design.array, design.index)).metrics;
        const LONG lineTop = place.top + (place.bottom - place.top - metrics.tmHeight) / 2;
        EXPECT_GE(ink.top, lineTop) << "the caption starts above its centred line";
        EXPECT_GE(ink.bottom, lineTop + metrics.tmAscent - 1) << "the caption sits above its centred baseline";
        EXPECT_LE(ink.bottom, lineTop + metrics.tmHeight) << "the caption ends below its centred line";
    }
}

// The face drawn for a family: Windows draws the family itself; a wine prefix without
// it draws the face its replacement table names.
std::string FaceDrawnFor(std::string_view family) {
    wchar_t face[LF_FACESIZE] = {};
    DWORD size = sizeof face;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", win32::ToUtf16(family).c_str(),
                     RRF_RT_REG_SZ, nullptr, face, &size) == ERROR_SUCCESS) {
        return win32::ToUtf8(face);
    }
    return std::string(family);
}

TEST_F(Win32WindowTest, EveryControlDrawsInTheFormsSerifFace) {
    const FontSpec &font = MainForm().font;
    const std::string fileFamily = FaceDrawnFor(font.family);
    for (const ControlSpec &design : MainForm().controls) {
        SCOPED_TRACE(std::string(design.name) + "(" + std::to_string(design.index) + ")");
        const DrawnFont drawn = FontOf(Hwnd(design.array, design.index));
        EXPECT_EQ(drawn.face, font.family);
        EXPECT_EQ(drawn.fileFamily, fileFamily);
        EXPECT_EQ(drawn.metrics.tmCharSet, font.charset);
        EXPECT_EQ(drawn.metrics.tmWeight, font.weight);
        EXPECT_EQ(drawn.metrics.tmPitchAndFamily & 0xF0, FF_ROMAN) << "not a serif face";
    }
}

enum class ButtonState { Up, Pressed, Focused, Disabled };

struct ButtonLook {
    const char *name;
    ButtonState state;
    COLORREF face;        // inside the button, away from the caption
    COLORREF caption;     // the caption's colour
    COLORREF otherText;   // a caption colour that must not show
    COLORREF outerLeft;   // the outermost pixel of the left edge
    COLORREF outerBottom; // the outermost pixel of the bottom edge
    bool focusRectangle;
};
void PrintTo(const ButtonLook &value, std::ostream *out) { *out << value.name; }

// Calculate, Command1(0), green: raised, sunken while pressed, a dotted rectangle
// inside when focused; disabled, faded halfway to light grey with a grey caption.
class TheCalculateButton : public Win32WindowTest, public ::testing::WithParamInterface<ButtonLook> {};

TEST_P(TheCalculateButton, LooksItsState) {
    const ButtonLook &look = GetParam();
    ASSERT_EQ(FindControl(ControlArray::Command1, 0)->backColor, (Rgb{0, 255, 0}));
    switch (look.state) {
    case ButtonState::Up:
        break;
    case ButtonState::Pressed:
        SendMessageW(Calculate(), BM_SETSTATE, TRUE, 0);
        break;
    case ButtonState::Focused:
        SetFocus(Calculate());
        break;
    case ButtonState::Disabled:
        driver.controls().Command1(0).SetEnabled(false);
        break;
    }
    const Picture picture(Main());
    const RECT place = PlaceOf(Calculate());
    const LONG middle = (place.top + place.bottom) / 2;
    EXPECT_EQ(picture.At(place.left + 6, middle), look.face);
    EXPECT_EQ(picture.At(place.right - 7, place.top + 6), look.face);
    EXPECT_EQ(picture.At(place.left, middle), look.outerLeft);
    EXPECT_EQ(picture.At((place.left + place.right) / 2, place.bottom - 1), look.outerBottom);

    RECT inside = place;
    InflateRect(&inside, -5, -5); // inside the edge and any focus rectangle
    constexpr int kTextTolerance = 32;
    EXPECT_GT(picture.Count(inside, look.caption, kTextTolerance), 10);
    EXPECT_EQ(picture.Count(inside, look.otherText, kTextTolerance), 0);
    EXPECT_EQ(picture.Count(inside, GetSysColor(COLOR_3DHILIGHT)), 0) << "no engraved caption";

    const RECT focusLine{place.left + 4, place.top + 4, place.right - 4, place.top + 5};
    EXPECT_EQ(picture.Count(focusLine, look.face) < focusLine.right - focusLine.left, look.focusRectangle);
}

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kFadedGreen = RGB(104, 231, 104); // halfway from green to (208, 208, 208)
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(112, 112, 112);

INSTANTIATE_TEST_SUITE_P(States, TheCalculateButton,
                         ::testing::Values(ButtonLook{"Up", ButtonState::Up, kGreen, kBlack, kGrey,
                                                      GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), false},
                                           ButtonLook{"Pressed", ButtonState::Pressed, kGreen, kBlack, kGrey,
                                                      GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT), false},
                                           ButtonLook{"Focused", ButtonState::Focused, kGreen, kBlack, kGrey,
                                                      GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), true},
                                           ButtonLook{"Disabled", ButtonState::Disabled, kFadedGreen, kGrey, kBlack,
                                                      RGB(240, 240, 240), RGB(160, 160, 160), false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace korvanta::testing
