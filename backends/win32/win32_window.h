// SPDX-License-Identifier: MIT
// The main form as a Win32 window: a top-level window of fixed client size with one
// standard control (EDIT, LISTBOX, BUTTON, STATIC) for each control of the window
// description, placed and sized from it at the window's DPI. The text boxes, lists
// and buttons are offered to the form through the control interface, and the clicks
// of buttons and lists reach the connected form with the control's index.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta::win32 {

class Win32Window final : public Window {
public:
    // Creates the window and its controls, hidden. Throws std::runtime_error when
    // Windows refuses to create them.
    explicit Win32Window(HINSTANCE instance, const FormSpec &form = MainForm());
    ~Win32Window() override;
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    void Show(int showCommand);
    // Runs the event loop until the window is closed; gives the program's exit code.
    // A fault thrown inside a click handler ends the loop and is thrown again here.
    int Run();
    // The keyboard of the form (Tab, Shift+Tab, arrows, Enter in an input): every
    // message is offered here before it is dispatched. True when it was handled.
    bool TranslateDialogMessage(MSG &message);

    HWND hwnd() const { return hwnd_; }
    // The window of a control of the description, or nullptr when there is none.
    HWND ControlWindow(ControlArray array, int index) const;
    // The logical DPI the window is laid out for.
    int dpi() const { return dpi_; }

private:
    class Child;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(HINSTANCE instance);
    void Layout(int dpi, const RECT *suggested);
    void OnCommand(int id, int code);
    LRESULT OnStaticColor(HDC dc, HWND control);
    void DrawButton(const DRAWITEMSTRUCT &item) const;
    LRESULT DefaultButtonId() const;
    void MoveFocus(HWND target);
    Child *FindChild(HWND control) const;
    Child *FindChild(int id) const;

    struct GdiDeleter {
        void operator()(HGDIOBJ object) const { DeleteObject(object); }
    };
    using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;

    static Font MakeFont(const FontSpec &font, int dpi);

    const FormSpec &form_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    Font font_;
    Brush background_;
    std::vector<std::unique_ptr<Child>> children_;
    ControlRegistry registry_;
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
    HWND focusWhenInactive_ = nullptr;
    bool running_ = false;
    std::exception_ptr failure_;
};

} // namespace korvanta::win32
