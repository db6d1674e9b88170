// SPDX-License-Identifier: MIT
// The Windows program: opens the main form and runs until the user closes it; the windows
// of its menu open when the user asks for them.
#include <windows.h>

#include "backends/win32/win32_host.h"
#include "backends/win32/win32_window.h"
#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    korvanta::win32::Win32Window window(instance);
    korvanta::win32::Win32Host host(instance, window);
    korvanta::Program program(window, host);
    window.Show(showCommand);
    return window.Run();
}
