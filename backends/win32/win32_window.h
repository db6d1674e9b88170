// SPDX-License-Identifier: MIT
// A form of the window description as a Win32 window: a top-level window of fixed client
// size with one standard control (EDIT, LISTBOX, BUTTON, STATIC, a list view for a table)
// for each control of the description, placed and sized from it at the window's DPI. The
// text boxes, lists and buttons are offered to the handlers through the control registry,
// and what the user does reaches the connected handlers with the control's index. The
// main window also offers its menu: its keys, its context menu and the window menu. A
// window of the menu belongs to the main window: it stays in front of it and goes with
// it, and Esc or its close button hides it.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "backends/win32/annotations.h"
#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace korvanta::win32 {

class TableControl;

class Win32Window final : public Window {
public:
    // Creates the window and its controls, hidden; a window of the main window's menu is
    // owned by `owner`, which outlives it. Throws std::runtime_error when Windows refuses
    // to create them.
    explicit Win32Window(HINSTANCE instance, const FormSpec &form = MainForm(), Win32Window *owner = nullptr);
    ~Win32Window() override;
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    const FormSpec &form() const { return form_; }
    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists, and the menu's
    // entries, from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    // The window's own words again in the language chosen now: its title, the captions of
    // its labels and buttons, its tables' headings and its menus' entries.
    void Retranslate() override;

    void Show(int showCommand);
    // Hides a window of the menu, as Esc and its close button do.
    void Hide();
    // Runs the event loop until the window is closed; gives the program's exit code.
    // A fault thrown inside a handler of this window or of one it owns ends the loop and
    // is thrown again here.
    int Run();
    // The keyboard of this window and of the windows it owns (Tab, Shift+Tab, arrows,
    // Enter in an input, Esc, the menu's keys): every message is offered here before it is
    // dispatched. True when it was handled.
    bool TranslateDialogMessage(MSG &message);

    HWND hwnd() const { return hwnd_; }
    // The window of a control of the description, or nullptr when there is none.
    HWND ControlWindow(ControlArray array, int index) const;
    // The logical DPI the window is laid out for.
    int dpi() const { return dpi_; }
    // Gives a control the keyboard's focus: at once while the window is active, else when
    // it is next activated.
    void FocusControl(HWND control);

private:
    class Child;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void CreateControls(HINSTANCE instance);
    // The tables of the main window and of the windows it owns drop the rows cleared and
    // not written again.
    void TrimTables();
    void CreateMenu();
    static void ShowLanguage();
    void Layout(int dpi, const RECT *suggested);
    void OnCommand(int id, int code);
    LRESULT OnNotify(const NMHDR &notification);
    // Delivers the menu entry of a command identifier; false when it is none.
    bool ChooseMenuEntry(UINT_PTR id);
    void ShowContextMenu(HWND source, LPARAM at);
    // This window or one it owns, whichever holds `hwnd`, or nullptr.
    Win32Window *WindowHolding(HWND hwnd);
    LRESULT OnStaticColor(HDC dc, HWND control);
    void DrawButton(const DRAWITEMSTRUCT &item) const;
    LRESULT DefaultButtonId() const;
    void MoveFocus(HWND target);
    Child *FindChild(HWND control) const;
    Child *FindChild(int id) const;
    // The child's table, if it is one (nullptr for none).
    static TableControl *TableOf(Child *child);

    struct GdiDeleter {
        void operator()(HGDIOBJ object) const { DeleteObject(object); }
    };
    using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
    using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
    struct AcceleratorDeleter {
        void operator()(HACCEL table) const { DestroyAcceleratorTable(table); }
    };
    using Accelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

    static Font MakeFont(const FontSpec &font, int dpi);

    const FormSpec &form_;
    Win32Window *owner_;               // the main window, for a window of its menu
    std::vector<Win32Window *> owned_; // the windows of the menu built so far
    DWORD style_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    Font font_;
    Brush background_;
    Accelerators accelerators_; // the menu's keys
    std::vector<std::unique_ptr<Child>> children_;
    Annotations annotations_;
    ControlRegistry registry_;
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
    HWND focusWhenInactive_ = nullptr;
    bool running_ = false;
    std::exception_ptr failure_;
};

} // namespace korvanta::win32
