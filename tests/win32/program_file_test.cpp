// SPDX-License-Identifier: MIT
// The program files, 32-bit and 64-bit: their resources read back without running them,
// and each program run and driven from outside as a user would.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "backends/win32/resources.h"
#include "tests/win32/win32_driver.h"

namespace korvanta::testing {
namespace {

struct ProgramFile {
    const char *name;
    std::wstring ProgramFiles::*path;
};
void PrintTo(const ProgramFile &file, std::ostream *out) { *out << file.name; }

class ProgramFileTest : public ::testing::TestWithParam<ProgramFile> {
protected:
    void SetUp() override {
        path = Programs().*GetParam().path;
        if (path.empty()) {
            FAIL() << "the path of the program file is missing on the command line (--" << GetParam().name << "=)";
        }
    }
    std::wstring path;
};

std::string VersionString(const std::vector<char> &info, const char *name) {
    const std::wstring key = win32::ToUtf16(std::string("\\StringFileInfo\\") + KORVANTA_VERSION_BLOCK + "\\" + name);
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) {
        return "(missing)";
    }
    return win32::ToUtf8(static_cast<const wchar_t *>(value));
}

TEST_P(ProgramFileTest, CarriesItsVersion) {
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    const DWORD versionMS = MAKELONG(KORVANTA_VERSION_MINOR, KORVANTA_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileVersionMS, versionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, versionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(static_cast<const WORD *>(value)[0], KORVANTA_VERSION_LANGUAGE);
    EXPECT_EQ(static_cast<const WORD *>(value)[1], KORVANTA_VERSION_CODEPAGE);

    EXPECT_EQ(VersionString(info, "FileVersion"), KORVANTA_VERSION_TEXT);
    EXPECT_EQ(VersionString(info, "ProductVersion"), KORVANTA_VERSION_TEXT);
    EXPECT_EQ(VersionString(info, "FileDescription"), KORVANTA_FILE_DESCRIPTION);
    EXPECT_EQ(VersionString(info, "ProductName"), KORVANTA_PRODUCT_NAME);
    EXPECT_EQ(VersionString(info, "OriginalFilename"), KORVANTA_FILE_NAME);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colors;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_P(ProgramFileTest, CarriesItsIconManifestAndLicence) {
    const HMODULE file = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    const auto resource = [file](LPCWSTR type, int id) -> std::string {
        const HRSRC found = FindResourceW(file, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) {
            return {};
        }
        return std::string(static_cast<const char *>(LockResource(LoadResource(file, found))),
                           SizeofResource(file, found));
    };

    // The icon group holds the hamburger as 32 x 32 pixels in 256 colours.
    const std::string group = resource(MAKEINTRESOURCEW(14), KORVANTA_ICON); // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6 + sizeof(IconGroupEntry));
    const WORD count = *reinterpret_cast<const WORD *>(group.data() + 4);
    ASSERT_GE(group.size(), 6 + count * sizeof(IconGroupEntry));
    bool found = false;
    for (WORD i = 0; i < count; ++i) {
        const auto *entry = reinterpret_cast<const IconGroupEntry *>(group.data() + 6 + i * sizeof(IconGroupEntry));
        if (entry->width == 32 && entry->height == 32 && entry->bitsPerPixel == 8) {
            found = true;
            EXPECT_FALSE(resource(MAKEINTRESOURCEW(3), entry->id).empty()) << "the picture itself"; // RT_ICON
        }
    }
    EXPECT_TRUE(found) << "no 32 x 32 picture in 256 colours";

    const std::string manifest = resource(MAKEINTRESOURCEW(24), 1); // RT_MANIFEST
    EXPECT_NE(manifest.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);

    // LICENSE.txt goes inside the program too, for a copy handed out alone.
    const std::string licence = resource(MAKEINTRESOURCEW(10), KORVANTA_LICENSE_TXT); // RT_RCDATA
    EXPECT_EQ(licence.rfind("MIT License\r\n", 0), 0u) << licence.substr(0, 80);
    EXPECT_NE(licence.find("LUCENT DISCLAIMS ALL WARRANTIES"), std::string::npos) << "the runtime libraries' notices";
    FreeLibrary(file);
}

// Both program files: the 32-bit one that Windows users run, and the 64-bit one.
const auto kProgramFiles = ::testing::Values(ProgramFile{"program32", &ProgramFiles::program32},
                                             ProgramFile{"program64", &ProgramFiles::program64});
std::string FileName(const ::testing::TestParamInfo<ProgramFile> &info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Files, ProgramFileTest, kProgramFiles, FileName);

struct FormSearch {
    DWORD process;
    std::string caption;
    HWND found;
};

BOOL CALLBACK CheckForForm(HWND hwnd, LPARAM context) {
    auto &search = *reinterpret_cast<FormSearch *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.process && IsWindowVisible(hwnd) && TextOf(hwnd) == search.caption) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A form's caption in a language.
std::string CaptionIn(std::string_view language, const FormSpec &form) {
    const std::string before(CurrentLanguage());
    SetLanguage(language);
    std::string caption = WindowCaption(form);
    SetLanguage(before);
    return caption;
}

// The shown top-level window of a process whose caption is the form's, in a language.
HWND FindFormWindow(DWORD process, const FormSpec &form = MainForm(), std::string_view language = "bg") {
    FormSearch search{process, CaptionIn(language, form), nullptr};
    EnumWindows(CheckForForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits, a while at the most, until `done` holds.
template <typename Condition> bool WaitFor(Condition done) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (done()) {
            return true;
        }
        Sleep(100);
    }
    return done();
}

// A control of another process's window, found at its place in the description.
HWND FindControlAt(HWND form, const ControlSpec &design, int dpi) {
    const PixelRect place = TwipsToPixels(VisibleRect(design, *FormOf(design.array, design.index)), dpi);
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT *>(&rect), 2);
        if (rect.left == place.left && rect.top == place.top && rect.right == place.right() &&
            rect.bottom == place.bottom()) {
            return child;
        }
    }
    return nullptr;
}

// The mouse on a row of another program's list box.
void ClickListRow(HWND list, int row) {
    const auto rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(5, row * rowHeight + rowHeight / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
}

// A program file started and driven from outside, as a user would.
class RunningProgram : public ProgramFileTest {
protected:
    HWND OpenBeside(WPARAM key, const FormSpec &menuForm);
    // Prints where the main window is, for the screenshot.
    void ReportWindow() {
        RECT frame{};
        GetWindowRect(form, &frame);
        std::printf("program window: %ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left,
                    frame.top);
        std::fflush(stdout);
    }
    // Prints where the main window and `other` are together, for the screenshot.
    void ReportBoth(HWND other) {
        RECT main{};
        RECT beside{};
        RECT both{};
        GetWindowRect(form, &main);
        GetWindowRect(other, &beside);
        UnionRect(&both, &main, &beside);
        std::printf("program windows: %ldx%ld+%ld+%ld\n", both.right - both.left, both.bottom - both.top, both.left,
                    both.top);
        std::fflush(stdout);
    }
    // Starts the program with `arguments` after its name.
    // The standard handles are the ones `given` names, if any.
    void Launch(std::wstring_view arguments, const STARTUPINFOW *given = nullptr, DWORD flags = 0) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (given != nullptr) {
            startup = *given;
        }
        std::wstring commandLine = L"\"" + path + L"\"";
        if (!arguments.empty()) {
            commandLine += L" " + std::wstring(arguments);
        }
        const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0 ? TRUE : FALSE;
        ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, inherit, flags, nullptr, nullptr,
                                   &startup, &process));
    }
    // Starts the program, in Bulgarian or with "--lang CODE", and finds its window.
    void Start(std::string_view language = {}) {
        Launch(language.empty() ? L"" : L"--lang " + win32::ToUtf16(language));
        WaitForInputIdle(process.hProcess, 20000);
        ASSERT_TRUE(WaitFor([&] {
            return (form = FindFormWindow(process.dwProcessId, MainForm(), language.empty() ? "bg" : language)) !=
                   nullptr;
        })) << "the program opened no window";
        const HDC screen = GetDC(nullptr);
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    // A control of the main window or of another window of the program.
    HWND Control(ControlArray array, int index, HWND window = nullptr) {
        return FindControlAt(window != nullptr ? window : form, *FindControl(array, index), dpi);
    }
    // Closes the program's window, unless it is to stay open for a screenshot: the program
    // ends without a fault.
    void Close() {
        if (!Programs().leaveOpen) {
            PostMessageW(form, WM_CLOSE, 0, 0);
            EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
            DWORD exitCode = 1;
            GetExitCodeProcess(process.hProcess, &exitCode);
            EXPECT_EQ(exitCode, 0u);
        }
    }
    // Waits for the program to end; its exit code.
    DWORD ExitCode() {
        DWORD code = STILL_ACTIVE;
        WaitForSingleObject(process.hProcess, 20000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = {};
        return code;
    }
    void TearDown() override {
        if (process.hProcess != nullptr) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

    PROCESS_INFORMATION process{};
    HWND form = nullptr;
    int dpi = USER_DEFAULT_SCREEN_DPI;
};

TEST_P(RunningProgram, OpensItsWindowAndRunsTheWorkedExample) {
    Start();
    ASSERT_NE(form, nullptr);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, TwipsToPixels(MainForm().clientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(MainForm().clientHeight, dpi));

    const auto control = [this](ControlArray array, int index) { return Control(array, index); };
    const HWND calculate = control(ControlArray::Command1, 0);
    ASSERT_NE(calculate, nullptr);
    for (int press = 0; press < 4; ++press) {
        SendMessageW(calculate, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(RowsOf(control(ControlArray::List1, 0)), (std::vector<std::string>{"24", "48", "96", "192", "384"}));
    EXPECT_EQ(RowsOf(control(ControlArray::List1, 1)), (std::vector<std::string>{"26", "13", "6", "3", "1"}));
    EXPECT_EQ(TextOf(control(ControlArray::Text1, 0)), "48 + 192 + 384 = 624\r\n");
    EXPECT_FALSE(IsWindowEnabled(calculate));

    // The mouse on row 2 of the right column selects that row in both columns.
    const HWND left = control(ControlArray::List1, 0);
    const HWND right = control(ControlArray::List1, 1);
    ClickListRow(right, 2);
    EXPECT_EQ(SendMessageW(left, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(right, LB_GETCURSEL, 0, 0), 2);

    ReportWindow();
    Close();
}

// Started with "--lang en", the program speaks English from its first window on: a factor
// of 1 is refused in English, and the worked example typed in again comes to 624.
TEST_P(RunningProgram, RunsTheWorkedExampleInEnglish) {
    Start("en");
    ASSERT_NE(form, nullptr);
    const auto control = [this](ControlArray array, int index) { return Control(array, index); };
    const HWND calculate = control(ControlArray::Command1, 0);
    ASSERT_NE(calculate, nullptr);
    EXPECT_EQ(TextOf(calculate), "Calculate");
    const HWND first = control(ControlArray::Text2, 0);
    SendMessageW(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1"));
    SendMessageW(calculate, BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(control(ControlArray::Text1, 0)), "Each factor must be greater than 1!");

    SendMessageW(control(ControlArray::Command1, 1), BM_CLICK, 0, 0);
    SendMessageW(first, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"24"));
    SendMessageW(control(ControlArray::Text2, 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"26"));
    for (int press = 0; press < 4; ++press) {
        SendMessageW(calculate, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(RowsOf(control(ControlArray::List1, 0)), (std::vector<std::string>{"24", "48", "96", "192", "384"}));
    EXPECT_EQ(TextOf(control(ControlArray::Text1, 0)), "48 + 192 + 384 = 624\r\n");

    ReportWindow();
    Close();
}

BOOL CALLBACK TakeFirstWindow(HWND hwnd, LPARAM found) {
    *reinterpret_cast<HWND *>(found) = hwnd;
    return FALSE;
}

// A language the program does not have: one line and exit code 2, without a window; on the
// error output it was given, for a script, or with neither that nor a console (as from a
// shortcut) in a message box.
TEST_P(RunningProgram, RefusesALanguageItDoesNotHave) {
    const std::string line = "umnozhenie: there is no language \"xx\"; there are: bg, en";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherited, 0));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = write;
    Launch(L"--lang=xx", &startup);
    CloseHandle(write);
    char said[256] = {};
    DWORD got = 0;
    ReadFile(read, said, sizeof said - 1, &got, nullptr);
    CloseHandle(read);
    EXPECT_EQ(said, line + "\n");
    EXPECT_EQ(ExitCode(), 2u);

    startup.hStdError = nullptr;
    Launch(L"--lang xx", &startup, DETACHED_PROCESS);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        EnumThreadWindows(process.dwThreadId, TakeFirstWindow, reinterpret_cast<LPARAM>(&box));
        return box != nullptr && IsWindowVisible(box);
    })) << "no message box";
    EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), line); // the message box's text
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(), 2u);
}

// Memory shared with another process, for the messages of its list view that take a
// pointer: a section mapped into both. (Read/WriteProcessMemory cannot reach a 32-bit
// program that wine runs under qemu: its addresses are not the host's.)
class SharedMemory {
public:
    SharedMemory(HANDLE process, DWORD size)
        : process_(process),
          section_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, nullptr)),
          local_(static_cast<char *>(MapViewOfFile(section_, FILE_MAP_ALL_ACCESS, 0, 0, size))) {
        SIZE_T viewSize = 0;
        constexpr DWORD kViewUnmap = 2; // not inherited by the process's children
        NtFunction<LONG(NTAPI *)(HANDLE, HANDLE, void **, ULONG_PTR, SIZE_T, LARGE_INTEGER *, SIZE_T *, DWORD, ULONG,
                                 ULONG)>("NtMapViewOfSection")(section_, process_, &remote_, 0, 0, nullptr, &viewSize,
                                                               kViewUnmap, 0, PAGE_READWRITE);
    }
    ~SharedMemory() {
        NtFunction<LONG(NTAPI *)(HANDLE, void *)>("NtUnmapViewOfSection")(process_, remote_);
        UnmapViewOfFile(local_);
        CloseHandle(section_);
    }
    SharedMemory(const SharedMemory &) = delete;
    SharedMemory &operator=(const SharedMemory &) = delete;

    // An address in the other process, and the same place here.
    LPARAM at(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(static_cast<char *>(remote_) + offset); }
    template <typename T> T &here(std::size_t offset = 0) { return *reinterpret_cast<T *>(local_ + offset); }

private:
    template <typename Function> static Function NtFunction(const char *name) {
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
    }

    HANDLE process_;
    HANDLE section_;
    char *local_;
    void *remote_ = nullptr;
};

// The start of LVITEMW in a program of either width: its pointer is 4 or 8 bytes.
template <typename Pointer> struct ItemText {
    UINT mask;
    int item;
    int subItem;
    UINT state;
    UINT stateMask;
    Pointer text;
    int textLength;
};

bool Is32Bit(HANDLE process) {
    BOOL emulated = FALSE;
    BOOL selfEmulated = FALSE;
    IsWow64Process(process, &emulated);
    IsWow64Process(GetCurrentProcess(), &selfEmulated);
    return emulated || (sizeof(void *) == 4 && !selfEmulated); // emulated on 64-bit Windows, or 32-bit Windows
}

// The rows of another program's list view, each row's cells joined by tabs.
std::vector<std::string> TableRowsOf(HANDLE process, HWND table) {
    constexpr std::size_t kText = 256; // where the text goes, after the item
    constexpr int kLength = 64;
    SharedMemory memory(process, kText + kLength * sizeof(wchar_t));
    const auto header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> rows;
    for (LRESULT row = 0; row < SendMessageW(table, LVM_GETITEMCOUNT, 0, 0); ++row) {
        std::string cells;
        for (int column = 0; column < columns; ++column) {
            const auto text = static_cast<std::uint64_t>(memory.at(kText));
            if (Is32Bit(process)) {
                memory.here<ItemText<std::uint32_t>>() = {0,      0, column, 0, 0, static_cast<std::uint32_t>(text),
                                                          kLength};
            } else {
                memory.here<ItemText<std::uint64_t>>() = {0, 0, column, 0, 0, text, kLength};
            }
            const auto length = SendMessageW(table, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), memory.at());
            cells += (column > 0 ? "\t" : "") +
                     win32::ToUtf8(std::wstring_view(&memory.here<wchar_t>(kText), static_cast<std::size_t>(length)));
        }
        rows.push_back(cells);
    }
    return rows;
}

// A click on a row of another program's list view.
void ClickRowOf(HANDLE process, HWND table, int row) {
    SharedMemory memory(process, sizeof(RECT));
    memory.here<RECT>() = {LVIR_LABEL, 0, 0, 0};
    SendMessageW(table, LVM_GETITEMRECT, static_cast<WPARAM>(row), memory.at());
    const RECT cell = memory.here<RECT>();
    ClickAt(table, {cell.left + 2, (cell.top + cell.bottom) / 2});
}

// A key pressed where the keyboard's focus is in another program, as its event loop sees it.
void PressKeyIn(const PROCESS_INFORMATION &process, WPARAM key) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    // Just after a window closes no control has the focus for a moment: a key posted then
    // would be lost, where a user's would wait for the next window.
    WaitFor([&] { return GetGUIThreadInfo(process.dwThreadId, &thread) && thread.hwndFocus != nullptr; });
    PostMessageW(thread.hwndFocus, WM_KEYDOWN, key, 1);
    PostMessageW(thread.hwndFocus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

// A window of the main window's menu opened by its key, the main window moved to the
// screen's left edge first as a user might, so that there is room on its right; it must
// open there, level with the main window. Null if it did not open.
HWND RunningProgram::OpenBeside(WPARAM key, const FormSpec &menuForm) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTOPRIMARY), &monitor);
    SetWindowPos(form, nullptr, monitor.rcWork.left, monitor.rcWork.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PressKeyIn(process, key);
    HWND opened = nullptr;
    if (!WaitFor([&] { return (opened = FindFormWindow(process.dwProcessId, menuForm)) != nullptr; })) {
        return nullptr;
    }
    RECT main{};
    RECT beside{};
    GetWindowRect(form, &main);
    GetWindowRect(opened, &beside);
    EXPECT_EQ(beside.left, main.right + MulDiv(8, dpi, USER_DEFAULT_SCREEN_DPI));
    EXPECT_EQ(beside.top, main.top);
    return opened;
}

// "Защо става така?" in the running program: F1 opens it beside the main window, moved to
// the screen's left edge first as a user might, so that there is room on its right. Its
// table and lines follow the worked example press by press; a row chosen in it is chosen in
// both columns, and one chosen there in it; Esc closes it.
TEST_P(RunningProgram, ExplainsTheWorkedExampleAsItGoes) {
    Start();
    ASSERT_NE(form, nullptr);
    const HWND why = OpenBeside(VK_F1, ExplainForm());
    ASSERT_NE(why, nullptr) << "F1 opened no explanation";
    EXPECT_EQ(GetWindow(why, GW_OWNER), form);

    const HWND table = Control(ControlArray::ExplainRows, 0, why);
    const HWND summary = Control(ControlArray::ExplainSummary, 0, why);
    const std::vector<std::string> rows{"0\t26\t0\t1\t24\tне", "1\t13\t1\t2\t48\tда", "2\t6\t0\t4\t96\tне",
                                        "3\t3\t1\t8\t192\tда", "4\t1\t1\t16\t384\tда"};
    const char *const lines[] = {"Остатъците досега, отдолу нагоре: 10\r\n",
                                 "Остатъците досега, отдолу нагоре: 010\r\n",
                                 "Остатъците досега, отдолу нагоре: 1010\r\n",
                                 "26 = 16 + 8 + 2 = 11010 (двоично)\r\n"
                                 "24 × 26 = 24 × 2 + 24 × 8 + 24 × 16 = 48 + 192 + 384 = 624\r\n"};
    EXPECT_EQ(TableRowsOf(process.hProcess, table), rows) << "the worked example, before the first press";
    EXPECT_EQ(TextOf(summary), lines[3]);
    for (std::size_t press = 1; press <= 4; ++press) {
        SendMessageW(Control(ControlArray::Command1, 0), BM_CLICK, 0, 0);
        EXPECT_EQ(TableRowsOf(process.hProcess, table),
                  std::vector<std::string>(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(press) + 1))
            << "press " << press;
        EXPECT_EQ(TextOf(summary), lines[press - 1]) << "press " << press;
    }

    const HWND right = Control(ControlArray::List1, 1);
    ClickListRow(right, 1);
    EXPECT_EQ(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    // The mouse on row 3 of the explanation, which takes the keyboard with it.
    ClickRowOf(process.hProcess, table, 3);
    EXPECT_TRUE(WaitFor([&] {
        return SendMessageW(Control(ControlArray::List1, 0), LB_GETCURSEL, 0, 0) == 3 &&
               SendMessageW(right, LB_GETCURSEL, 0, 0) == 3;
    })) << "row 3 chosen in the explanation is not chosen in both columns";

    PressKeyIn(process, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(why); })) << "Esc left the explanation open";
    EXPECT_TRUE(IsWindowVisible(form));

    if (Programs().leaveOpen) {
        // Open again for a screenshot of both windows.
        PressKeyIn(process, VK_F1);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(why) != FALSE; }));
        ReportBoth(why);
    }
    Close();
}

// The control that has the keyboard's focus in another program.
HWND FocusIn(const PROCESS_INFORMATION &process) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(process.dwThreadId, &thread);
    return thread.hwndFocus;
}

// "Упражнение" in the running program by the keyboard alone: F2 opens it beside the main
// window; Tab to the task, 24 and 26 typed, Enter; a right row, then a wrong one, whose
// mistake the feedback box explains while the wrong numbers stay to be corrected; then the
// rest of the task, up to the praise.
TEST_P(RunningProgram, PracticesByTheKeyboard) {
    Start();
    ASSERT_NE(form, nullptr);
    const HWND practice = OpenBeside(VK_F2, PracticeForm());
    ASSERT_NE(practice, nullptr) << "F2 opened no practice";

    // Tab until the focus is in the box, at most once round the window; then the text typed.
    ASSERT_TRUE(WaitFor([&] { return IsChild(practice, FocusIn(process)); }));
    const auto typeIn = [&](ControlArray array, int index, std::wstring_view text) {
        const HWND box = Control(array, index, practice);
        for (std::size_t tab = 0; tab < PracticeForm().controls.size() && FocusIn(process) != box; ++tab) {
            const HWND from = FocusIn(process);
            PressKeyIn(process, VK_TAB);
            WaitFor([&] { return FocusIn(process) != from; });
        }
        for (const wchar_t character : text) {
            PostMessageW(box, WM_CHAR, character, 1);
        }
        return WaitFor([&] { return TextOf(box) == win32::ToUtf8(text); });
    };
    const HWND feedback = Control(ControlArray::PracticeFeedback, 0, practice);
    const auto enterSays = [&](const std::string &text) {
        PressKeyIn(process, VK_RETURN);
        return WaitFor([&] { return TextOf(feedback) == text; });
    };
    EXPECT_TRUE(typeIn(ControlArray::PracticeTask, 0, L"24") && typeIn(ControlArray::PracticeTask, 1, L"26"));
    EXPECT_TRUE(enterSays("Своя задача. Задачата е 24 × 26. Първият ред е готов: това са двете числа. Напиши "
                          "следващия ред: вляво 24 × 2, вдясно 26 : 2 без остатъка.\r\nСтъпки: 0, верни от първия "
                          "опит: 0, грешки: 0."))
        << TextOf(feedback);
    EXPECT_TRUE(typeIn(ControlArray::PracticeEntry, 0, L"48") && typeIn(ControlArray::PracticeEntry, 1, L"13"));
    EXPECT_TRUE(enterSays("Вярно! Напиши следващия ред: вляво 48 × 2, вдясно 13 : 2 без остатъка.\r\n"
                          "Стъпки: 1, верни от първия опит: 1, грешки: 0."))
        << TextOf(feedback);
    EXPECT_TRUE(typeIn(ControlArray::PracticeEntry, 0, L"96") && typeIn(ControlArray::PracticeEntry, 1, L"7"));
    EXPECT_TRUE(enterSays("13 : 2 = 6 и остатък 1. Остатъкът не се пише — пишем 6. Опитай пак.\r\n"
                          "Стъпки: 1, верни от първия опит: 1, грешки: 1."))
        << TextOf(feedback);
    const HWND table = Control(ControlArray::PracticeRows, 0, practice);
    EXPECT_EQ(TableRowsOf(process.hProcess, table), (std::vector<std::string>{"1\t24\t26\t", "2\t48\t13\t"}));
    if (Programs().leaveOpen) {
        ReportBoth(practice); // the picture: in the middle of the task, the mistake explained
        return;
    }

    // The mistake corrected, the other rows, the odd rows put into the sum, the product.
    for (const auto &[left, right] : {std::pair{L"96", L"6"}, {L"192", L"3"}, {L"384", L"1"}}) {
        SetWindowTextW(Control(ControlArray::PracticeEntry, 0, practice), left);
        SetWindowTextW(Control(ControlArray::PracticeEntry, 1, practice), right);
        const std::size_t before = TableRowsOf(process.hProcess, table).size();
        PressKeyIn(process, VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return TableRowsOf(process.hProcess, table).size() == before + 1; }))
            << TextOf(feedback);
    }
    for (const int row : {1, 3, 4}) {
        ClickRowOf(process.hProcess, table, row);
        SendMessageW(Control(ControlArray::PracticeCommand, kMarkRow, practice), BM_CLICK, 0, 0);
    }
    SetWindowTextW(Control(ControlArray::PracticeEntry, 2, practice), L"624");
    SendMessageW(Control(ControlArray::PracticeCommand, kCheckProduct, practice), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] {
        return TextOf(feedback) == "Браво! 24 × 26 = 48 + 192 + 384 = 624.\r\nСтъпки: 6, верни от първия опит: 5, "
                                   "грешки: 1.";
    })) << TextOf(feedback);
    Close();
}

INSTANTIATE_TEST_SUITE_P(Files, RunningProgram, kProgramFiles, FileName);

} // namespace
} // namespace korvanta::testing
