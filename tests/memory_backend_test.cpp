// SPDX-License-Identifier: MIT
// The in-memory window keeps the contract of every window backend.
#include "backends/memory/memory_window.h"
#include "tests/backend_contract.h"

namespace korvanta::testing {
namespace {

class MemoryDriver final : public ProgramDriver {
public:
    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override { window_.ClickButton(index); }
    void SelectRow(std::int16_t list, std::int16_t row) override { window_.SelectRow(list, row); }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        WindowOf(array, index).Type(array, index, text);
    }
    std::string Caption(ControlArray array, std::int16_t index) override {
        return WindowOf(array, index).Caption(array, index);
    }

    Window &main() override { return window_; }
    WindowHost &host() override { return host_; }
    void PressFunctionKey(int key) override { window_.PressFunctionKey(key); }
    void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) override {
        WindowOf(array, index).ChooseRow(array, index, row);
    }
    bool Shown(const FormSpec &form) override { return host_.Shown(form); }
    void PressEscape(const FormSpec &form) override { host_.Close(form); }
    void Click(ControlArray array, std::int16_t index) override { WindowOf(array, index).Click(array, index); }
    void ChooseLanguage(std::string_view code) override { window_.ChooseLanguage(code); }
    void PressEnter(ControlArray array, std::int16_t index) override {
        WindowOf(array, index).PressEnter(array, index);
    }

private:
    MemoryWindow &WindowOf(ControlArray array, std::int16_t index) {
        const FormSpec *form = FormOf(array, index);
        MemoryWindow *window = form == &MainForm() ? &window_ : host_.Built(*form);
        if (window == nullptr) {
            std::abort(); // a control of a window that is not open
        }
        return *window;
    }

    MemoryWindow window_;
    MemoryHost host_;
};

INSTANTIATE_TEST_SUITE_P(Memory, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Memory",
                                                              [] { return std::make_unique<MemoryDriver>(); }}),
                         DriverName<NamedDriverFactory>);
INSTANTIATE_TEST_SUITE_P(Memory, ProgramContract,
                         ::testing::Values(NamedProgramDriverFactory{"Memory",
                                                                     [] { return std::make_unique<MemoryDriver>(); }}),
                         DriverName<NamedProgramDriverFactory>);

} // namespace
} // namespace korvanta::testing
