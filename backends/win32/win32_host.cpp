// SPDX-License-Identifier: MIT
#include "backends/win32/win32_host.h"

#include <algorithm>

namespace korvanta::win32 {
namespace {

// Between the main window and a window beside it, in pixels at 96 DPI.
constexpr int kGap = 8;

PixelRect ToPixelRect(const RECT &rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

Window &Win32Host::Build(const FormSpec &form) {
    if (Win32Window *built = Built(form)) {
        return *built;
    }
    return *windows_.emplace_back(Entry{std::make_unique<Win32Window>(instance_, form, &main_)}).window;
}

Win32Window *Win32Host::Built(const FormSpec &form) const {
    const auto entry = std::find_if(windows_.begin(), windows_.end(),
                                    [&form](const Entry &each) { return &each.window->form() == &form; });
    return entry != windows_.end() ? entry->window.get() : nullptr;
}

void Win32Host::Show(Window &window) {
    const auto entry = std::find_if(windows_.begin(), windows_.end(),
                                    [&window](const Entry &each) { return each.window.get() == &window; });
    if (entry == windows_.end() || entry->window->hwnd() == nullptr) {
        return; // not one of these, or gone with the main window
    }
    const HWND hwnd = entry->window->hwnd();
    if (!entry->placed) {
        PlaceBesideTheMainWindow(*entry->window);
        entry->placed = true;
    }
    ShowWindow(hwnd, SW_SHOW);
    // In front, with the keyboard: the window gives the focus to its first control, or
    // back to the one it had.
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
}

void Win32Host::PlaceBesideTheMainWindow(const Win32Window &window) const {
    RECT main{};
    GetWindowRect(main_.hwnd(), &main);
    RECT own{};
    GetWindowRect(window.hwnd(), &own);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(main_.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const PixelRect place =
        PlaceBeside(ToPixelRect(main), own.right - own.left, own.bottom - own.top, ToPixelRect(monitor.rcWork),
                    MulDiv(kGap, main_.dpi(), USER_DEFAULT_SCREEN_DPI));
    SetWindowPos(window.hwnd(), nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace korvanta::win32
