// SPDX-License-Identifier: MIT
// The Windows program: opens the main form and runs until the user closes it.
#include <windows.h>

#include "backends/win32/win32_window.h"
#include "ui/form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    korvanta::win32::Win32Window window(instance);
    korvanta::Korvanta form(window.controls());
    window.Connect(form);
    window.Show(showCommand);
    return window.Run();
}
