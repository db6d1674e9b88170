// SPDX-License-Identifier: MIT
// The Qt windows keep the contract of every window backend, driven by real clicks and keys.
#include "tests/backend_contract.h"
#include "tests/qt/qt_driver.h"

namespace korvanta::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Qt, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Qt", [] { return std::make_unique<QtDriver>(); }}),
                         DriverName<NamedDriverFactory>);
INSTANTIATE_TEST_SUITE_P(Qt, ProgramContract,
                         ::testing::Values(NamedProgramDriverFactory{"Qt",
                                                                     [] { return std::make_unique<QtDriver>(); }}),
                         DriverName<NamedProgramDriverFactory>);

} // namespace
} // namespace korvanta::testing
