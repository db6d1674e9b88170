// SPDX-License-Identifier: MIT
// The web windows keep the contract of every window backend, in a real browser: clicks
// and choices of rows reach them as click events on their page elements, keys as key
// events where the focus is.
#include <cstdlib>

#include "backends/web/web_window.h"
#include "tests/backend_contract.h"

extern "C" {
void korvanta_test_click(const char *id);
void korvanta_test_choose_row(const char *id, int row);
void korvanta_test_type(const char *id, const char *text);
void korvanta_test_press_key(const char *id, const char *key);
void korvanta_test_press_enter(const char *id);
void korvanta_test_choose_language(const char *code);
char *korvanta_test_shown(const char *id);
void korvanta_test_finished(int result);
}

namespace korvanta::testing {
namespace {

std::string IdOf(ControlArray array, int index) { return web::WebWindow::ElementId(*FindControl(array, index)); }

class WebDriver final : public ProgramDriver {
public:
    FormControls &controls() override { return window_.controls(); }
    void Connect(FormEvents &events) override { window_.Connect(events); }
    void ClickButton(std::int16_t index) override { korvanta_test_click(IdOf(ControlArray::Command1, index).c_str()); }
    void SelectRow(std::int16_t list, std::int16_t row) override { ChooseRow(ControlArray::List1, list, row); }
    void Type(ControlArray array, std::int16_t index, std::string_view text) override {
        ASSERT_EQ(FindControl(array, index)->kind, ControlKind::TextBox) << "only the inputs take typing";
        korvanta_test_type(IdOf(array, index).c_str(), std::string(text).c_str());
    }
    std::string Caption(ControlArray array, std::int16_t index) override {
        const std::unique_ptr<char, decltype(&std::free)> text(korvanta_test_shown(IdOf(array, index).c_str()),
                                                               &std::free);
        return text.get();
    }

    Window &main() override { return window_; }
    WindowHost &host() override { return host_; }
    void PressFunctionKey(int key) override { PressKey(MainForm(), "F" + std::to_string(key)); }
    void ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) override {
        korvanta_test_choose_row(IdOf(array, index).c_str(), row);
    }
    bool Shown(const FormSpec &form) override {
        const web::WebWindow *built = host_.Built(form);
        return built != nullptr && built->Shown();
    }
    void PressEscape(const FormSpec &form) override { PressKey(form, "Escape"); }
    void Click(ControlArray array, std::int16_t index) override { korvanta_test_click(IdOf(array, index).c_str()); }
    void PressEnter(ControlArray array, std::int16_t index) override {
        korvanta_test_press_enter(IdOf(array, index).c_str());
    }
    void ChooseLanguage(std::string_view code) override { korvanta_test_choose_language(std::string(code).c_str()); }

private:
    static void PressKey(const FormSpec &form, const std::string &key) {
        korvanta_test_press_key(std::string(form.name).c_str(), key.c_str());
    }

    web::WebWindow window_;
    web::WebHost host_{window_};
};

INSTANTIATE_TEST_SUITE_P(Web, BackendContract,
                         ::testing::Values(NamedDriverFactory{"Web", [] { return std::make_unique<WebDriver>(); }}),
                         DriverName<NamedDriverFactory>);
INSTANTIATE_TEST_SUITE_P(Web, ProgramContract,
                         ::testing::Values(NamedProgramDriverFactory{"Web",
                                                                     [] { return std::make_unique<WebDriver>(); }}),
                         DriverName<NamedProgramDriverFactory>);

} // namespace
} // namespace korvanta::testing

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    korvanta_test_finished(result);
    return result;
}
