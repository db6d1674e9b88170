// SPDX-License-Identifier: MIT
// The Windows tests: GoogleTest's options, then the program files to inspect.
#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>

#include "tests/win32/win32_driver.h"

namespace korvanta::testing {

ProgramFiles &Programs() {
    static ProgramFiles programs;
    return programs;
}

} // namespace korvanta::testing

int wmain(int argc, wchar_t **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    korvanta::testing::ProgramFiles &programs = korvanta::testing::Programs();
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        if (argument.starts_with(L"--program64=")) {
            programs.program64 = argument.substr(12);
        } else if (argument.starts_with(L"--program32=")) {
            programs.program32 = argument.substr(12);
        } else if (argument == L"--leave-open") {
            programs.leaveOpen = true;
        } else {
            std::fprintf(stderr, "unknown option: %ls\n", argv[i]);
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
