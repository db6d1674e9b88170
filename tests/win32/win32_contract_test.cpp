// SPDX-License-Identifier: MIT
// The Win32 window keeps the contract of every window backend.
#include "tests/backend_contract.h"
#include "tests/win32/win32_driver.h"

namespace korvanta::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Win32, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Win32", [] { return std::make_unique<Win32Driver>(); }}),
                         DriverName<NamedDriverFactory>);

} // namespace
} // namespace korvanta::testing
