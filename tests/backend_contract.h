// SPDX-License-Identifier: MIT
// The rules every window backend keeps, as one suite of tests. A backend's test
// program instantiates it with a factory for its driver:
//   INSTANTIATE_TEST_SUITE_P(Qt, BackendContract, ::testing::Values(NamedDriverFactory{...}),
//                            korvanta::testing::DriverName);
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

inline std::string DriverName(const ::testing::TestParamInfo<NamedDriverFactory> &info) { return info.param.name; }

} // namespace korvanta::testing
