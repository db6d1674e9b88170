// SPDX-License-Identifier: MIT

#include "backends/web/web_window.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string_view>

#include "calc/texts.h"
#include "ui/list_rows.h"

// The page's side, in page.js.
extern "C" {
int korvanta_page_open(const char *title, const char *name, const char *style, int owner);
void korvanta_page_close(int window);
void korvanta_page_set_title(int window, const char *title);
void korvanta_page_set_language(const char *code);
char *korvanta_page_asked_language();
void korvanta_page_show(int window);
bool korvanta_page_shown(int window);
void korvanta_page_menu_entry(int window, int entry, const char *text, int functionKey, const char *language);
int korvanta_page_add(int window, const char *tag, const char *id, const char *style);
void korvanta_page_set_attribute(int element, const char *name, const char *value);
void korvanta_page_set_text(int element, const char *text, std::size_t length);
char *korvanta_page_text(int element);
void korvanta_page_add_row(int element, const char *text, std::size_t length);
void korvanta_page_clear_rows(int element);
void korvanta_page_select_row(int element, int row);
bool korvanta_page_enabled(int element);
void korvanta_page_set_enabled(int element, bool enabled);
void korvanta_page_focus(int element);
void korvanta_page_set_enter(int input, int button);
}

namespace korvanta::web {
namespace {

// CSS pixels are pixels at 96 DPI.
constexpr int kCssDpi = 96;

// The page's windows by their handles, while they are open.
std::vector<WebWindow *> &Windows() {
    static std::vector<WebWindow *> windows;
    return windows;
}

WebWindow *WindowOf(int handle) {
    const std::vector<WebWindow *> &windows = Windows();
    return handle >= 0 && handle < static_cast<int>(windows.size()) ? windows[static_cast<std::size_t>(handle)]
                                                                    : nullptr;
}

bool g_mainOpen = false; // a page shows one main window

std::string Px(int pixels) { return std::to_string(pixels) + "px;"; }

// A table's column widths, for its rows laid out as a CSS grid (page.css).
std::string ColumnsStyle(std::span<const int> columns) {
    std::string widths;
    for (const int twips : columns) {
        widths += " " + std::to_string(TwipsToPixels(twips, kCssDpi)) + "px";
    }
    return "--columns:" + widths + ";";
}

std::string PlaceStyle(const TwipRect &rect) {
    const PixelRect p = TwipsToPixels(rect, kCssDpi);
    return "left:" + Px(p.left) + "top:" + Px(p.top) + "width:" + Px(p.width) + "height:" + Px(p.height);
}

// `colour` darkened as a lamp is dimmed: every channel by the same factor.
Rgb Darker(Rgb colour, int percent) {
    const auto dim = [percent](std::uint8_t channel) { return static_cast<std::uint8_t>(channel * 100 / percent); };
    return {dim(colour.red), dim(colour.green), dim(colour.blue)};
}

// A button in its back colour: raised with a darker edge, darker while pressed, and
// faded with a grey caption and edge while disabled (page.css draws it from these).
std::string ButtonColours(Rgb back) {
    return "--face:" + CssColor(back) + ";--edge:" + CssColor(Darker(back, 150)) +
           ";--pressed:" + CssColor(Darker(back, 115)) + ";--disabled-face:" + CssColor(DisabledFace(back)) +
           ";--disabled-caption:" + CssColor(kDisabledCaption) + ";--disabled-edge:" + CssColor(kDisabledEdge) + ";";
}

std::string FontStyle(const FontSpec &font) {
    // The description's face first, then the one that stands in for it on Linux, then
    // any serif face.
    return "font-family:\"" + std::string(font.family) +
           "\",\"Liberation Serif\",serif;font-size:" + std::to_string(font.pointSize) +
           "pt;font-weight:" + std::to_string(font.weight) + ";";
}

const char *TagOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::TextBox:
        return "input";
    case ControlKind::MultiLineTextBox:
        return "textarea"; // or, announced, a live region (AddControl)
    case ControlKind::ListBox:
        return "listbox"; // page.js makes it
    case ControlKind::Table:
        return "grid"; // page.js makes it
    case ControlKind::Button:
        return "button";
    case ControlKind::Label:
        break;
    }
    return "label";
}

} // namespace

std::string AskedLanguage() {
    const std::unique_ptr<char, decltype(&std::free)> code(korvanta_page_asked_language(), &std::free);
    return code.get();
}

std::string CssColor(Rgb colour) {
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

// A control of the description and its page element.
class WebWindow::Control {
public:
    Control(const ControlSpec &design, int element) : spec_(design), element_(element) {}
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const ControlSpec &design() const { return spec_; }
    int element() const { return element_; }

    virtual void OnClick(WindowEvents *) {}
    virtual void OnRowChosen(int) {}

    // The control's own words in the language chosen: its accessible name, and the caption
    // of a label or a button or the headings of a table. What a box or a list holds is the
    // program's.
    void Retranslate() {
        if (spec_.kind != ControlKind::Label) {
            korvanta_page_set_attribute(element_, "aria-label", std::string(Tr(spec_.accessibleName)).c_str());
        }
        if (spec_.kind == ControlKind::Label || spec_.kind == ControlKind::Button || spec_.kind == ControlKind::Table) {
            Show(Tr(spec_.text));
        }
    }

    void Show(std::string_view text) { korvanta_page_set_text(element_, text.data(), text.size()); }
    void TakeFocus() { korvanta_page_focus(element_); }

private:
    const ControlSpec &spec_;
    int element_;
};

// An input: what the user typed is read from the page.
class WebWindow::InputBox final : public Control, public TextBox {
public:
    InputBox(const ControlSpec &design, int element) : Control(design, element) { Show(Tr(design.text)); }
    std::string Text() const override {
        const std::unique_ptr<char, decltype(&std::free)> text(korvanta_page_text(element()), &std::free);
        return text.get();
    }
    void SetText(std::string_view text) override { Show(text); }
    void Focus() override { TakeFocus(); }
};

// A read-only box of several lines. The page turns each CR LF into a line break of its
// own, so the text as written is kept here and read back. The same text again is not
// laid out again: the explanation writes its long text on every press.
class WebWindow::MultiLineBox final : public Control, public TextBox {
public:
    MultiLineBox(const ControlSpec &design, int element) : Control(design, element) { SetText(Tr(design.text)); }
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override {
        if (text != text_) {
            text_ = text;
            Show(text);
        }
    }
    void Focus() override { TakeFocus(); }

private:
    std::string text_;
};

// A column of the table. Only the program adds rows, so they are kept here too; the user
// only chooses one, and that comes here first.
class WebWindow::ListControl final : public Control, public ListBox {
public:
    ListControl(const ControlSpec &design, int element, WindowEvents *&events)
        : Control(design, element), events_(events) {}

    std::int16_t ListCount() const override { return rows_.Count(); }
    std::string List(std::int16_t row) const override { return rows_.Row(row); }
    void AddItem(std::string_view text) override {
        if (rows_.Add(text)) {
            korvanta_page_add_row(element(), text.data(), text.size());
        }
    }
    void Clear() override {
        rows_.Clear();
        korvanta_page_clear_rows(element());
    }
    std::int16_t ListIndex() const override { return rows_.Selected(); }
    void SetListIndex(std::int16_t row) override {
        if (rows_.Select(row)) {
            korvanta_page_select_row(element(), row);
            if (events_ != nullptr) {
                events_->RowChosen(design().array, design().index);
            }
        }
    }
    void OnRowChosen(int row) override {
        if (row >= 0 && row < ListCount()) {
            SetListIndex(static_cast<std::int16_t>(row));
        }
    }

private:
    WindowEvents *&events_;
    ListRows rows_;
};

// A disabled button takes no clicks: the page delivers none.
class WebWindow::ButtonControl final : public Control, public Button {
public:
    ButtonControl(const ControlSpec &design, int element) : Control(design, element) {}
    bool Enabled() const override { return korvanta_page_enabled(element()); }
    void SetEnabled(bool enabled) override { korvanta_page_set_enabled(element(), enabled); }
    void OnClick(WindowEvents *events) override {
        if (events != nullptr) {
            events->Clicked(design().array, design().index);
        }
    }
};

WebWindow::WebWindow(const FormSpec &form, const WebWindow *owner) : form_(form), main_(owner == nullptr) {
    if (main_) {
        if (g_mainOpen) {
            std::abort(); // a page shows one main window
        }
        g_mainOpen = true;
    }
    const PixelRect size = TwipsToPixels(TwipRect{0, 0, form.clientWidth, form.clientHeight}, kCssDpi);
    const std::string style = "width:" + Px(size.width) + "height:" + Px(size.height) +
                              "background-color:" + CssColor(form.backColor) + ";" + FontStyle(form.font);
    page_ = korvanta_page_open(WindowCaption(form).c_str(), std::string(form.name).c_str(), style.c_str(),
                               owner != nullptr ? owner->page_ : -1);
    std::vector<WebWindow *> &windows = Windows();
    windows.resize(std::max(windows.size(), static_cast<std::size_t>(page_) + 1));
    windows[static_cast<std::size_t>(page_)] = this;

    // In the order of the description, which is the tab order; later elements lie on top
    // of earlier ones, so the auxiliary box lies over the working box.
    int pendingLabel = -1;
    for (const ControlSpec &design : form.controls) {
        AddControl(design);
        // A label names the input that follows it, as screen readers expect, and a tap
        // on it goes to the input.
        if (pendingLabel >= 0 && design.kind == ControlKind::TextBox) {
            korvanta_page_set_attribute(pendingLabel, "for", ElementId(design).c_str());
        }
        pendingLabel = design.kind == ControlKind::Label ? controls_.back()->element() : -1;
    }
    // Enter in a text box presses the button its description names, while it is enabled.
    for (const auto &control : controls_) {
        if (const std::optional<ButtonRef> enter = control->design().enter) {
            for (const auto &button : controls_) {
                if (button->design().array == enter->array && button->design().index == enter->index) {
                    korvanta_page_set_enter(control->element(), button->element());
                }
            }
        }
    }
    ShowMenu();
    if (main_) {
        korvanta_page_set_language(std::string(CurrentLanguage()).c_str());
    }
}

WebWindow::~WebWindow() {
    korvanta_page_close(page_);
    Windows()[static_cast<std::size_t>(page_)] = nullptr;
    if (main_) {
        g_mainOpen = false;
    }
}

// The buttons of the menu's entries under the main window, made the first time; and the
// languages among them as one choice of language.
void WebWindow::ShowMenu() {
    for (std::size_t entry = 0; entry < form_.menu.size(); ++entry) {
        const MenuEntry &design = form_.menu[entry];
        korvanta_page_menu_entry(page_, static_cast<int>(entry), std::string(Tr(design.text)).c_str(),
                                 design.functionKey, std::string(design.language).c_str());
    }
}

void WebWindow::Retranslate() {
    korvanta_page_set_title(page_, WindowCaption(form_).c_str());
    for (const auto &control : controls_) {
        control->Retranslate();
    }
    ShowMenu();
    if (main_) {
        korvanta_page_set_language(std::string(CurrentLanguage()).c_str());
    }
}

std::string WebWindow::ElementId(const ControlSpec &design) {
    return std::string(design.name) + "_" + std::to_string(design.index);
}

void WebWindow::AddControl(const ControlSpec &design) {
    std::string style = PlaceStyle(VisibleRect(design, form_));
    if (design.kind == ControlKind::Button && design.backColor) {
        style += ButtonColours(*design.backColor);
    } else if (design.backColor) {
        style += "background-color:" + CssColor(*design.backColor) + ";";
    }
    if (design.align == TextAlign::Center) {
        style += "justify-content:center;";
    }
    if (design.kind == ControlKind::Table) {
        style += ColumnsStyle(design.columns);
    }
    // A box whose every new text screen readers announce is a live region rather than a
    // text area, whose changed value they do not announce; it shows its text the same way.
    const char *tag = design.announced ? "status" : TagOf(design.kind);
    const int element = korvanta_page_add(page_, tag, ElementId(design).c_str(), style.c_str());
    const auto set = [element](const char *name, const std::string &value) {
        korvanta_page_set_attribute(element, name, value.c_str());
    };
    std::unique_ptr<Control> control;
    switch (design.kind) {
    case ControlKind::TextBox: {
        set("type", "text");
        set("autocomplete", "off");
        set("spellcheck", "false");
        if (design.maxLength > 0) {
            set("maxlength", std::to_string(design.maxLength));
        }
        auto box = std::make_unique<InputBox>(design, element);
        registry_.Register(design, static_cast<TextBox &>(*box));
        control = std::move(box);
        break;
    }
    case ControlKind::MultiLineTextBox: {
        // Read-only: the program reads its text back and extends it, so typing into it
        // would change the sum.
        if (!design.announced) {
            set("readonly", "");
        }
        auto box = std::make_unique<MultiLineBox>(design, element);
        registry_.Register(design, static_cast<TextBox &>(*box));
        control = std::move(box);
        break;
    }
    case ControlKind::ListBox:
    case ControlKind::Table: {
        auto list = std::make_unique<ListControl>(design, element, events_);
        registry_.Register(design, static_cast<ListBox &>(*list));
        control = std::move(list);
        break;
    }
    case ControlKind::Button: {
        auto button = std::make_unique<ButtonControl>(design, element);
        registry_.Register(design, static_cast<Button &>(*button));
        control = std::move(button);
        break;
    }
    case ControlKind::Label:
        control = std::make_unique<Control>(design, element);
        break;
    }
    control->Retranslate(); // its captions and accessible name
    controls_.push_back(std::move(control));
}

WebWindow::Control *WebWindow::Find(int element) {
    for (const auto &control : controls_) {
        if (control->element() == element) {
            return control.get();
        }
    }
    return nullptr;
}

void WebWindow::Clicked(int element) {
    if (Control *control = Find(element)) {
        control->OnClick(events_);
    }
}

void WebWindow::RowChosen(int element, int row) {
    if (Control *control = Find(element)) {
        control->OnRowChosen(row);
    }
}

void WebWindow::MenuChosen(int entry) {
    if (entry >= 0 && entry < static_cast<int>(form_.menu.size()) && events_ != nullptr) {
        events_->MenuChosen(form_.menu[static_cast<std::size_t>(entry)]);
    }
}

void WebWindow::Show() { korvanta_page_show(page_); }

bool WebWindow::Shown() const { return korvanta_page_shown(page_); }

Window &WebHost::Build(const FormSpec &form) {
    if (WebWindow *built = Built(form)) {
        return *built;
    }
    return *windows_.emplace_back(std::make_unique<WebWindow>(form, &main_));
}

void WebHost::Show(Window &window) {
    for (const auto &each : windows_) {
        if (each.get() == &window) {
            each->Show();
        }
    }
}

WebWindow *WebHost::Built(const FormSpec &form) {
    for (const auto &each : windows_) {
        if (&each->form() == &form) {
            return each.get();
        }
    }
    return nullptr;
}

} // namespace korvanta::web

// What the page calls when the user acts, by the window's handle.
extern "C" {
EMSCRIPTEN_KEEPALIVE void korvanta_web_clicked(int window, int element) {
    if (korvanta::web::WebWindow *target = korvanta::web::WindowOf(window)) {
        target->Clicked(element);
    }
}
EMSCRIPTEN_KEEPALIVE void korvanta_web_row_chosen(int window, int element, int row) {
    if (korvanta::web::WebWindow *target = korvanta::web::WindowOf(window)) {
        target->RowChosen(element, row);
    }
}
EMSCRIPTEN_KEEPALIVE void korvanta_web_menu_chosen(int window, int entry) {
    if (korvanta::web::WebWindow *target = korvanta::web::WindowOf(window)) {
        target->MenuChosen(entry);
    }
}
}
