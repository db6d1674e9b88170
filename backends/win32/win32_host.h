// SPDX-License-Identifier: MIT
// The windows of the main window's menu on Windows. Each is built hidden from its
// description the first time the program asks for it, with the same code as the main
// window, as a window the main window owns: it stays in front of the main window, hides
// when the main window is minimised and goes when it closes. It opens beside the main
// window where the screen has room, else over it; later where the user left it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "backends/win32/win32_window.h"
#include "ui/window.h"

namespace korvanta::win32 {

class Win32Host final : public WindowHost {
public:
    // `main` outlives the host.
    Win32Host(HINSTANCE instance, Win32Window &main) : instance_(instance), main_(main) {}

    Window &Build(const FormSpec &form) override;
    void Show(Window &window) override;

    // The window of `form` if it has been built.
    Win32Window *Built(const FormSpec &form) const;

private:
    struct Entry {
        std::unique_ptr<Win32Window> window;
        bool placed = false;
    };

    void PlaceBesideTheMainWindow(const Win32Window &window) const;

    HINSTANCE instance_;
    Win32Window &main_;
    std::vector<Entry> windows_;
};

} // namespace korvanta::win32
