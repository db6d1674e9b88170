// SPDX-License-Identifier: MIT
// The rules every window backend keeps, as two suites of tests: one window, and the
// program's windows together. A backend's test program instantiates each with a factory
// for its driver:
//   INSTANTIATE_TEST_SUITE_P(Qt, BackendContract, ::testing::Values(NamedDriverFactory{...}),
//                            korvanta::testing::DriverName<NamedDriverFactory>);
//   INSTANTIATE_TEST_SUITE_P(Qt, ProgramContract, ::testing::Values(NamedProgramDriverFactory{...}),
//                            korvanta::testing::DriverName<NamedProgramDriverFactory>);
#pragma once

#include <gtest/gtest.h>

#include "tests/window_driver.h"

namespace korvanta::testing {

class BackendContract : public ::testing::TestWithParam<NamedDriverFactory> {
protected:
    void SetUp() override { window = GetParam().make(); }
    void TearDown() override { window.reset(); }
    std::unique_ptr<WindowDriver> window;
};

class ProgramContract : public ::testing::TestWithParam<NamedProgramDriverFactory> {
protected:
    void SetUp() override { window = GetParam().make(); }
    void TearDown() override { window.reset(); }
    std::unique_ptr<ProgramDriver> window;
};

template <typename Factory> std::string DriverName(const ::testing::TestParamInfo<Factory> &info) {
    return info.param.name;
}

} // namespace korvanta::testing
