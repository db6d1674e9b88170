// SPDX-License-Identifier: MIT
// The program's windows in a web page: every control of a window description made into a
// real page element (page.js) at its place in CSS pixels at 96 DPI, with its text,
// colours and font, and the operations of the control interface on top of them. A page
// shows one main window, with the buttons of its menu under it, and the windows of its
// menu beside it as non-modal dialogs. Its words are in the language chosen (calc/texts.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta::web {

class WebWindow final : public Window {
public:
    // The main window, the page's one; or, with the main window as `owner`, a window of
    // its menu, built hidden.
    explicit WebWindow(const FormSpec &form = MainForm(), const WebWindow *owner = nullptr);
    ~WebWindow() override;
    WebWindow(const WebWindow &) = delete;
    WebWindow &operator=(const WebWindow &) = delete;

    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    // The window's own words again in the language chosen now; for the main window also
    // the page's language, its title and the language shown as chosen under it.
    void Retranslate() override;

    const FormSpec &form() const { return form_; }

    // What the page reports of the user, by the handle of the element: a click on a
    // button, a row chosen in a list (by mouse, finger or keyboard); and an entry of the
    // menu chosen (its button, its key, or a language chosen), by its place in the menu.
    void Clicked(int element);
    void RowChosen(int element, int row);
    void MenuChosen(int entry);

    // A window of the menu: shown, in front, with the focus; and whether it is shown
    // (the user hides it with Esc or its close button).
    void Show();
    bool Shown() const;

    // The id of the page element made for a control: its name and index, "Text2_0".
    static std::string ElementId(const ControlSpec &design);
    // The id of the choice of language under the main window.
    static constexpr const char *kLanguageChoiceId = "korvanta-language";

private:
    class Control;
    class InputBox;
    class MultiLineBox;
    class ListControl;
    class ButtonControl;

    void AddControl(const ControlSpec &design);
    Control *Find(int element);
    void ShowMenu();

    const FormSpec &form_;
    bool main_;
    int page_; // the window's handle on the page
    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_; // in the order of their handles
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
};

// The windows of the main window's menu on its page.
class WebHost final : public WindowHost {
public:
    explicit WebHost(const WebWindow &main) : main_(main) {}
    Window &Build(const FormSpec &form) override;
    void Show(Window &window) override;
    // The window of `form` if it has been built.
    WebWindow *Built(const FormSpec &form);

private:
    const WebWindow &main_;
    std::vector<std::unique_ptr<WebWindow>> windows_;
};

// The language the page's address asks for: "en" for "?lang=en" or "#en" (the query
// first); empty when it asks for none.
std::string AskedLanguage();

// A colour as CSS writes it: "rgb(255,192,128)".
std::string CssColor(Rgb colour);

} // namespace korvanta::web
