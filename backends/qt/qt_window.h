// SPDX-License-Identifier: MIT
// The program's windows on Qt 6 Widgets: every control of a window description made
// into a real widget at its place, with its text, colours and font, and the operations
// of the control interface on top of them. Places and sizes in twips become pixels
// through a logical resolution, so the whole window, fonts included, keeps its
// proportions at any resolution. The main window offers its menu (a context menu, and
// the entries' keys); the windows of that menu belong to it and are built by a host.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "calc/controls.h"
#include "ui/control_registry.h"
#include "ui/layout.h"
#include "ui/window.h"

class QAction;
class QFont;
class QIcon;
class QRect;

namespace korvanta {

// The logical resolution of the primary screen in dots per inch (96 without a screen).
int ScreenLogicalDpi();

// A rectangle of the description in pixels at `dpi`.
QRect ToQRect(const TwipRect &rect, int dpi);

// The description's font at `dpi`, sized in pixels like the places.
QFont FormFont(const FontSpec &font, int dpi);

// The program's icon: a hamburger, 32 x 32 pixels.
QIcon ProgramIcon();

class QtWindow final : public QWidget, public Window {
public:
    // A window of the main window's menu (form.opensFromMenu) belongs to `owner`.
    explicit QtWindow(int dpi = ScreenLogicalDpi(), const FormSpec &form = MainForm(), QWidget *owner = nullptr);
    ~QtWindow() override;
    QtWindow(const QtWindow &) = delete;
    QtWindow &operator=(const QtWindow &) = delete;

    ControlRegistry &controls() override { return registry_; }
    // The handlers that receive the clicks of the buttons and lists from now on.
    void Connect(WindowEvents &events) override { events_ = &events; }
    void Retranslate() override;
    // The main form's handlers alone, without the rest of the program.
    void Connect(FormEvents &form) {
        adapter_.emplace(form);
        events_ = &*adapter_;
    }

    // The widget made for an element of a control array, or nullptr when there is none.
    QWidget *Widget(ControlArray array, int index) const;
    int dpi() const { return dpi_; }
    const FormSpec &form() const { return form_; }

    // Shows the window in the middle of its screen's free area.
    void ShowCentred();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class Control;
    class LineBox;
    class MultiLineBox;
    class RowsControl;
    class ListControl;
    class TableControl;
    class ButtonControl;

    void AddControl(const ControlSpec &design);
    void ConnectInputs();
    void LinkLabelsAndTabOrder();
    void AddMenu();
    void ShowLanguage();

    const FormSpec &form_;
    int dpi_;
    ControlRegistry registry_;
    std::vector<std::unique_ptr<Control>> controls_;
    WindowEvents *events_ = nullptr;
    std::optional<FormEventsAdapter> adapter_;
    std::vector<std::pair<const MenuEntry *, QAction *>> menu_; // the menu's entries and their actions
};

// The windows of the main window's menu: each built on first use as a window of its own
// that belongs to the main window, and placed beside it the first time it is shown.
class QtHost final : public WindowHost {
public:
    explicit QtHost(QtWindow &main) : main_(main) {}

    Window &Build(const FormSpec &form) override;
    void Show(Window &window) override;

    // The window of `form` if it has been built (and its owner still lives).
    QtWindow *Built(const FormSpec &form) const;

private:
    struct Entry {
        QPointer<QtWindow> window; // deleted with the main window, which owns it
        bool placed = false;
    };

    void Place(QtWindow &window) const;

    QtWindow &main_;
    std::vector<Entry> windows_;
};

} // namespace korvanta
