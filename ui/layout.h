// SPDX-License-Identifier: MIT
// The program's windows, described once as data: each form and every control with its
// kind, name, index, tab order, place and size in twips, caption or initial text and
// colour, and the main window's menu. Every window backend builds its windows from this
// description and nothing else; the handlers address the same controls by name and index.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace korvanta {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A rectangle in twips (1/1440 inch) from the top left corner of the client area.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    friend constexpr bool operator==(TwipRect, TwipRect) = default;
};

enum class ControlKind {
    TextBox,          // one line of text
    MultiLineTextBox, // several lines, CR LF as line breaks
    ListBox,
    Button,
    Label,
    // A list box of several columns under headings: the description's text holds the
    // headings, and each row's text its cells, separated by tabs.
    Table,
};

// The control arrays of the forms; the handlers address controls by array and index.
enum class ControlArray {
    // The main form
    Text1,
    Text2,
    List1,
    Command1,
    Label1,
    Label2,
    // "Why it works": the rows explained, the explanation, and what the rows show
    ExplainRows,
    ExplainText,
    ExplainSummary,
    // "Practice": the level, the task's two factors, the rows entered so far, the inputs
    // (0, 1: the next row; 2: the product), the buttons, the feedback, and the captions
    PracticeLevel,
    PracticeTask,
    PracticeRows,
    PracticeEntry,
    PracticeCommand,
    PracticeFeedback,
    PracticeLabel,
};

// The buttons of "Practice", as the elements of PracticeCommand.
enum PracticeButton : std::int16_t {
    kNewTask = 0,  // a random task of the level chosen
    kOwnTask = 1,  // the task typed into the two factors
    kCheckRow = 2, // the next row
    kMarkRow = 3,  // puts the row chosen into the sum
    kCheckProduct = 4,
};

// A button, as the element of a control array.
struct ButtonRef {
    ControlArray array;
    std::int16_t index;
};

// How a button with a back colour looks while it is disabled, in every window: its
// colour faded halfway to light grey, with a grey caption and a grey edge.
constexpr Rgb DisabledFace(Rgb back) {
    constexpr int kGrey = 208;
    const auto fade = [](int channel) { return static_cast<std::uint8_t>((channel + kGrey) / 2); };
    return {fade(back.red), fade(back.green), fade(back.blue)};
}
inline constexpr Rgb kDisabledCaption{112, 112, 112};
inline constexpr Rgb kDisabledEdge{160, 160, 160};

// How a label places its caption across its width; captions are centred vertically.
enum class TextAlign { Left, Center };

struct FontSpec {
    std::string_view family;
    int pointSize;
    int weight;  // 400 is normal
    int charset; // 204 is Cyrillic
};

struct ControlSpec {
    ControlKind kind;
    ControlArray array;
    std::string_view name; // the control array's name, as the handlers know it
    std::int16_t index;    // the element's index in its control array
    int tabOrder;
    TwipRect rect;
    std::string_view text; // caption, or initial text of a text box
    std::string_view accessibleName;
    std::optional<Rgb> backColor; // nullopt: the platform's default
    TextAlign align = TextAlign::Left;
    int maxLength = 0;                 // the most characters a user can type or paste into a text box; 0: no limit
    std::span<const int> columns = {}; // a table's column widths in twips, left to right
    // The button that Enter in this text box presses, while it is enabled.
    std::optional<ButtonRef> enter = std::nullopt;
    // A read-only box whose new text screen readers announce as soon as it is written.
    bool announced = false;
};

// What the main window's menu (its context menu, and its window menu on Windows) and
// keys ask of the program.
enum class MenuCommand { Explain, Practice };

struct MenuEntry {
    MenuCommand command;
    std::string_view text;
    int functionKey; // the key that does the same anywhere in the main window: 1 for F1, 2 for F2
};

struct FormSpec {
    std::string_view name;
    std::string_view caption;
    int clientWidth; // twips
    int clientHeight;
    Rgb backColor;
    FontSpec font;
    std::span<const ControlSpec> controls; // in tab order
    std::span<const MenuEntry> menu = {};  // the main window's menu; empty for the others
    // A window opened from the main window's menu: it belongs to the main window (it
    // closes with it and stays in front of it), Esc closes it, and it opens beside it.
    bool opensFromMenu = false;
};

// The web address that opens the window's caption, kept in this one place.
inline constexpr std::string_view kSiteAddress = "www.example.org";

// The main form, Korvanta.
const FormSpec &MainForm();

// "Why it works": the table's rows explained, beside the main window.
const FormSpec &ExplainForm();

// "Practice": the pupil builds a table and the program checks every step.
const FormSpec &PracticeForm();

// Every form of the program, the main form first.
std::span<const FormSpec *const> AllForms();

// The element `index` of a control array in any form, or nullptr when there is none.
const ControlSpec *FindControl(ControlArray array, int index);

// The form that holds the element `index` of a control array, or nullptr.
const FormSpec *FormOf(ControlArray array, int index);

// The cells of a table's row, or the headings of a table: its text split at each tab.
std::vector<std::string_view> Cells(std::string_view text);

// The part of a control's rectangle that lies inside the client area. A control that
// reaches past the client area is placed at this part, so that its text wraps and
// scrolls where it can be seen instead of being cut off at the window's edge.
TwipRect VisibleRect(const ControlSpec &control, const FormSpec &form = MainForm());

// Twips to device pixels for a logical resolution: 15 twips a pixel at 96 DPI.
constexpr int TwipsToPixels(int twips, int dpi) {
    // Rounded to the nearest pixel; both factors are non-negative in the window.
    return (twips * dpi + 720) / 1440;
}

// A rectangle in device pixels from the top left corner of the client area.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

// A rectangle of the description in pixels. Its edges are converted rather than its
// size, so that controls that meet in twips also meet in pixels.
constexpr PixelRect TwipsToPixels(TwipRect rect, int dpi) {
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return {left, top, TwipsToPixels(rect.right(), dpi) - left, TwipsToPixels(rect.bottom(), dpi) - top};
}

// Where a window opened from the main window's menu goes on the screen, given the main
// window's frame and the free area of its screen, all in pixels: beside the main window
// on its right, `gap` apart, where the screen has room; else on its left; else over it,
// at its top left corner, moved as little as it takes to stay on the screen.
PixelRect PlaceBeside(PixelRect main, int width, int height, PixelRect screen, int gap);

} // namespace korvanta
