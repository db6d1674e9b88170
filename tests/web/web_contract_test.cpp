// SPDX-License-Identifier: MIT
// The web window keeps the contract of every window backend, in a real browser: clicks
// and choices of rows reach it as click events on its page elements.
#include <cstdlib>

#include "backends/web/web_window.h"
#include "tests/backend_contract.h"

extern "C" {
void korvanta_test_click(const char *id);
void korvanta_test_choose_row(const char *id, int row);
void korvanta_test_type(const char *id, const char *text);
char *korvanta_test_shown(const char *id);
void korvanta_test_finished(int result);
}

namespace korvanta::testing {
namespace {

std::string IdOf(ControlArray array, int index) { return web::WebWindow::ElementId(*FindControl(array, index)); }

class WebDriver final : public WindowDriver {
public:
    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override { korvanta_test_click(IdOf(ControlArray::Command1, index).c_str()); }
    void SelectRow(std::int16_t list, std::int16_t row) override {
        korvanta_test_choose_row(IdOf(ControlArray::List1, list).c_str(), row);
    }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        ASSERT_EQ(array, ControlArray::Text2) << "only the inputs take typing";
        korvanta_test_type(IdOf(array, index).c_str(), std::string(text).c_str());
    }
    std::string Caption(ControlArray array, std::int16_t index) override {
        const std::unique_ptr<char, decltype(&std::free)> text(korvanta_test_shown(IdOf(array, index).c_str()),
                                                               &std::free);
        return text.get();
    }

private:
    web::WebWindow window_;
};

INSTANTIATE_TEST_SUITE_P(Web, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Web", [] { return std::make_unique<WebDriver>(); }}),
                         DriverName);

} // namespace
} // namespace korvanta::testing

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    korvanta_test_finished(result);
    return result;
}
