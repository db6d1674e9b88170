// SPDX-License-Identifier: MIT
// The Windows program: opens the main form and runs until the user closes it; the windows
// of its menu open when the user asks for them. "--lang en" opens it in English.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "backends/win32/utf16.h"
#include "backends/win32/win32_host.h"
#include "backends/win32/win32_window.h"
#include "ui/options.h"
#include "ui/program.h"

namespace {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t **const words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int at = 1; words != nullptr && at < count; ++at) {
        arguments.push_back(korvanta::win32::ToUtf8(words[at]));
    }
    LocalFree(words);
    return arguments;
}

// Writes a line where whoever started the program reads it: to the error output it was
// given (a script's pipe or file), else to the console it was started from; false when
// there is neither, as for a program started from a shortcut or Explorer.
bool WriteToErrorOutput(const std::string &line) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
            return false;
        }
        error = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (error == INVALID_HANDLE_VALUE) {
            return false;
        }
    }
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode)) {
        // A console shows UTF-16 whatever its code page.
        const std::wstring wide = korvanta::win32::ToUtf16(line) + L"\r\n";
        DWORD written = 0;
        return WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != FALSE;
    }
    const std::string bytes = line + "\n";
    DWORD written = 0;
    return WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
}

} // namespace

// An exception that nothing catches ends the program at once. libstdc++'s own handler would
// first write the exception's type, demangled, to an error output a windowed program does
// not have, and its demangler would make each program file about 46 KiB larger.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
} // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const std::vector<std::string> arguments = Arguments();
    const std::vector<std::string_view> words(arguments.begin(), arguments.end());
    const korvanta::Options options = korvanta::ReadOptions(words);
    if (!options.error.empty()) {
        // A script reads the line; a user who started the program without a console sees it.
        if (!WriteToErrorOutput(options.error)) {
            MessageBoxW(nullptr, korvanta::win32::ToUtf16(options.error).c_str(), L"umnozhenie", MB_OK | MB_ICONERROR);
        }
        return 2;
    }
    // COM, for what the windows tell screen readers beyond their texts (annotations.h).
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    int result = 0;
    {
        korvanta::win32::Win32Window window(instance);
        korvanta::win32::Win32Host host(instance, window);
        korvanta::Program program(window, host);
        window.Show(showCommand);
        result = window.Run();
    }
    if (com) {
        CoUninitialize();
    }
    return result;
}
