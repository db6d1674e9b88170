// SPDX-License-Identifier: MIT
// The in-memory window keeps the contract of every window backend.
#include "backends/memory/memory_window.h"
#include "tests/backend_contract.h"

namespace korvanta::testing {
namespace {

class MemoryDriver final : public WindowDriver {
public:
    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override { window_.ClickButton(index); }
    void SelectRow(std::int16_t list, std::int16_t row) override { window_.SelectRow(list, row); }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        window_.Type(array, index, text);
    }
    std::string Caption(ControlArray array, std::int16_t index) override { return window_.Caption(array, index); }

private:
    MemoryWindow window_;
};

INSTANTIATE_TEST_SUITE_P(Memory, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Memory",
                                                              [] { return std::make_unique<MemoryDriver>(); }}),
                         DriverName);

} // namespace
} // namespace korvanta::testing
