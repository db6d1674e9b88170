// SPDX-License-Identifier: MIT
// The program files, 32-bit and 64-bit: their resources read back without running them,
// and each program run and driven from outside as a user would.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
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
    HWND found;
};

BOOL CALLBACK CheckForForm(HWND hwnd, LPARAM context) {
    auto &search = *reinterpret_cast<FormSearch *>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.process && IsWindowVisible(hwnd) && TextOf(hwnd) == MainForm().caption) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The top-level window of a process whose caption is the form's.
HWND FindFormWindow(DWORD process) {
    FormSearch search{process, nullptr};
    EnumWindows(CheckForForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control of another process's window, found at its place in the description.
HWND FindControlAt(HWND form, const ControlSpec &design, int dpi) {
    const PixelRect place = TwipsToPixels(VisibleRect(design), dpi);
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

// A program file started and driven from outside, as a user would.
class RunningProgram : public ProgramFileTest {};

TEST_P(RunningProgram, OpensItsWindowAndRunsTheWorkedExample) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + path + L"\"";
    ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    WaitForInputIdle(process.hProcess, 20000);
    HWND form = nullptr;
    for (int attempt = 0; attempt < 200 && form == nullptr; ++attempt) {
        form = FindFormWindow(process.dwProcessId);
        if (form == nullptr) {
            Sleep(100);
        }
    }
    ASSERT_NE(form, nullptr) << "the program opened no window";

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, TwipsToPixels(MainForm().clientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(MainForm().clientHeight, dpi));

    const auto control = [&](ControlArray array, int index) {
        return FindControlAt(form, *FindControl(array, index), dpi);
    };
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
    const auto rowHeight = static_cast<int>(SendMessageW(right, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(5, 2 * rowHeight + rowHeight / 2);
    SendMessageW(right, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(right, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(SendMessageW(left, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(right, LB_GETCURSEL, 0, 0), 2);

    RECT frame{};
    GetWindowRect(form, &frame);
    std::printf("program window: %ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left,
                frame.top);
    std::fflush(stdout);
    if (!Programs().leaveOpen) {
        // Closing the window ends the program, without a fault.
        PostMessageW(form, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
        DWORD exitCode = 1;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(Files, RunningProgram, kProgramFiles, FileName);

} // namespace
} // namespace korvanta::testing
