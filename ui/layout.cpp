// SPDX-License-Identifier: MIT
// The forms' design: the controls, their places, texts and colours, and the main menu.
#include "ui/layout.h"

#include "calc/texts.h"

#include <algorithm>
#include <string>
#include <utility>

namespace korvanta {
namespace {

// What the working box explains before the first calculation (800 characters).
constexpr std::string_view kTaskStatement = N_(
    "Съществува алгоритъм за целочислено умножение на две цели числа B и C. Удвоява се първото число B, а второто "
    "число C се дели целочислено на 2 (взема се само цялата част на остатъка). Всеки резултат от тези умножения и "
    "деления се записват последователно в две списъчни полета. Описаните действия се повтарят, до получаване C=1. "
    "Произведението на двете начални числа се получава като сума от число в първия списък, ако в същия ред на втория "
    "списък е записано нечетно число.\r\n"
    "Да се реализра проект, представящ междупредметни връзки между Математика и Информатика.\r\n"
    "Тема на проекта: Математика - умножение чрез деление.\r\n"
    "Пример: 34 и 44\r\n"
    "  68 : 22\r\n"
    "  136 : 11 \r\n"
    "  272 : 5\r\n"
    "  544 : 2\r\n"
    "  1088 :1 \r\n"
    "Изход: 136 + 272 + 1088 +  = 1496 \r\n"
    "Осъществете защита по вход за дробни или отрицателни входни стойности.\r\n");

// The motto in the auxiliary box (118 characters).
constexpr std::string_view kMotto = N_("Неприятното в това да си първият, направил нещо по \r\n"
                                       "правилния начин, е, че никой не оценява колко трудно е \r\n"
                                       "било. \r\n");

constexpr Rgb kLabelColor{255, 192, 128};

// What a pupil can type or paste into an input. Longer inputs are cut here, and any run
// of digits that long still reads as too large rather than as a shorter, wrong number.
constexpr int kInputLength = 32767;

// Enter in either number presses Calculate.
constexpr ButtonRef kCalculate{ControlArray::Command1, 0};

// clang-format off
constexpr std::array kControls{
    //          kind                           array                  name        idx tab  left  top   width height   text, accessible name, back colour, alignment, input length
    ControlSpec{ControlKind::MultiLineTextBox, ControlArray::Text1,    "Text1",    0,  0, {120,  3120, 6975, 3135}, kTaskStatement, N_("Решение"), std::nullopt},
    ControlSpec{ControlKind::MultiLineTextBox, ControlArray::Text1,    "Text1",    1,  1, {2760, 4800, 6735, 1815}, kMotto, N_("Последно удвоено число"), std::nullopt},
    ControlSpec{ControlKind::Label,            ControlArray::Label1,   "Label1",   0,  2, {1200, 0,    4575, 375},  N_("Математика - умножение чрез деление"), N_("Математика - умножение чрез деление"), kLabelColor, TextAlign::Center},
    ControlSpec{ControlKind::Label,            ControlArray::Label2,   "Label2",   0,  3, {120,  720,  975,  375},  N_("Число 1:"), N_("Число 1"), kLabelColor},
    ControlSpec{ControlKind::TextBox,          ControlArray::Text2,    "Text2",    0,  4, {1080, 720,  1335, 405},  "24", N_("Число 1"), std::nullopt, TextAlign::Left, kInputLength, {}, kCalculate},
    ControlSpec{ControlKind::Label,            ControlArray::Label2,   "Label2",   1,  5, {2880, 720,  975,  375},  N_("Число 2:"), N_("Число 2"), kLabelColor},
    ControlSpec{ControlKind::TextBox,          ControlArray::Text2,    "Text2",    1,  6, {3840, 720,  1335, 405},  "26", N_("Число 2"), std::nullopt, TextAlign::Left, kInputLength, {}, kCalculate},
    ControlSpec{ControlKind::ListBox,          ControlArray::List1,    "List1",    0,  7, {1080, 1080, 1335, 1770}, "", N_("Удвоени числа"), std::nullopt},
    ControlSpec{ControlKind::ListBox,          ControlArray::List1,    "List1",    1,  8, {3840, 1080, 1335, 1770}, "", N_("Разполовени числа"), std::nullopt},
    ControlSpec{ControlKind::Button,           ControlArray::Command1, "Command1", 0,  9, {5520, 720,  1575, 375},  N_("Сметни"), N_("Сметни"), Rgb{0, 255, 0}},
    ControlSpec{ControlKind::Button,           ControlArray::Command1, "Command1", 1, 10, {5520, 1560, 1575, 375},  N_("Чисти"), N_("Чисти"), Rgb{255, 0, 0}},
};
// clang-format on

// The menu's entries, then one for each language, by its own name.
const std::vector<MenuEntry> &MainMenu() {
    static const std::vector<MenuEntry> menu = [] {
        std::vector<MenuEntry> entries{
            MenuEntry{MenuCommand::Explain, N_("Защо става така?"), 1},
            MenuEntry{MenuCommand::Practice, N_("Упражнение"), 2},
        };
        for (const LanguageInfo &language : Languages()) {
            entries.push_back({MenuCommand::Language, language.name, 0, language.code});
        }
        return entries;
    }();
    return menu;
}

// "Why it works": the rows of the table, one a line, with what each row tells; the
// explanation in words; and what the rows show once the table is finished.
constexpr std::array kExplainColumns{600, 1215, 1335, 1440, 2175, 1140};

// clang-format off
constexpr std::array kExplainControls{
    //          kind                           array                        name              idx tab  left top   width height  text, accessible name, back colour, alignment, input length, columns
    ControlSpec{ControlKind::Table,            ControlArray::ExplainRows,    "ExplainRows",    0, 0, {120, 120,  8160, 3000}, N_("Ред\tЧисло 2\tОстатък\tСтепен на 2\tЧисло 1 × степен\tВ сумата"), N_("Редовете на таблицата"), std::nullopt, TextAlign::Left, 0, kExplainColumns},
    ControlSpec{ControlKind::MultiLineTextBox, ControlArray::ExplainText,    "ExplainText",    0, 1, {120, 3240, 8160, 1860}, "", N_("Защо става така"), std::nullopt},
    ControlSpec{ControlKind::MultiLineTextBox, ControlArray::ExplainSummary, "ExplainSummary", 0, 2, {120, 5220, 8160, 1020}, "", N_("Какво показват редовете"), std::nullopt},
};
// clang-format on

// "Practice": the level and a new task; the task's factors, which a pupil or a teacher may
// type; the rows so far with the inputs for the next one; the product; and the feedback.
constexpr std::array kPracticeColumns{600, 1215, 1215, 1200};
constexpr int kPracticeInput = 40; // longer than any number of a task, so a long one reads as too large
constexpr ButtonRef kOwnTaskButton{ControlArray::PracticeCommand, kOwnTask};
constexpr ButtonRef kCheckRowButton{ControlArray::PracticeCommand, kCheckRow};
constexpr ButtonRef kCheckProductButton{ControlArray::PracticeCommand, kCheckProduct};

// clang-format off
constexpr std::array kPracticeControls{
    //          kind                           array                          name               idx tab  left  top   width height  text, accessible name, back colour, alignment, input length, columns, Enter, announced
    ControlSpec{ControlKind::Label,            ControlArray::PracticeLabel,    "PracticeLabel",    0,  0, {120,  120,  960,  375},  N_("Ниво:"), N_("Ниво"), kLabelColor},
    ControlSpec{ControlKind::ListBox,          ControlArray::PracticeLevel,    "PracticeLevel",    0,  1, {1080, 120,  1335, 975},  "", N_("Ниво"), std::nullopt},
    ControlSpec{ControlKind::Button,           ControlArray::PracticeCommand,  "PracticeCommand",  0,  2, {2640, 120,  1935, 375},  N_("Нова задача"), N_("Нова задача"), std::nullopt},
    ControlSpec{ControlKind::Label,            ControlArray::PracticeLabel,    "PracticeLabel",    1,  3, {120,  1200, 960,  375},  N_("Задача:"), N_("Задача"), kLabelColor},
    ControlSpec{ControlKind::TextBox,          ControlArray::PracticeTask,     "PracticeTask",     0,  4, {1080, 1200, 1335, 405},  "", N_("Число 1 на задачата"), std::nullopt, TextAlign::Left, kPracticeInput, {}, kOwnTaskButton},
    ControlSpec{ControlKind::Label,            ControlArray::PracticeLabel,    "PracticeLabel",    2,  5, {2415, 1200, 225,  375},  "×", N_("по"), kLabelColor, TextAlign::Center},
    ControlSpec{ControlKind::TextBox,          ControlArray::PracticeTask,     "PracticeTask",     1,  6, {2640, 1200, 1335, 405},  "", N_("Число 2 на задачата"), std::nullopt, TextAlign::Left, kPracticeInput, {}, kOwnTaskButton},
    ControlSpec{ControlKind::Button,           ControlArray::PracticeCommand,  "PracticeCommand",  1,  7, {4200, 1200, 1935, 375},  N_("Своя задача"), N_("Започни своята задача"), std::nullopt},
    ControlSpec{ControlKind::Table,            ControlArray::PracticeRows,     "PracticeRows",     0,  8, {120,  1800, 4500, 2520}, N_("Ред\tЧисло 1\tЧисло 2\tВ сумата"), N_("Редовете досега"), std::nullopt, TextAlign::Left, 0, kPracticeColumns},
    ControlSpec{ControlKind::Label,            ControlArray::PracticeLabel,    "PracticeLabel",    3,  9, {4740, 1800, 2820, 375},  N_("Следващ ред:"), N_("Следващ ред"), kLabelColor},
    ControlSpec{ControlKind::TextBox,          ControlArray::PracticeEntry,    "PracticeEntry",    0, 10, {4740, 2220, 1350, 405},  "", N_("Следващ ред, числото вляво"), std::nullopt, TextAlign::Left, kPracticeInput, {}, kCheckRowButton},
    ControlSpec{ControlKind::TextBox,          ControlArray::PracticeEntry,    "PracticeEntry",    1, 11, {6210, 2220, 1350, 405},  "", N_("Следващ ред, числото вдясно"), std::nullopt, TextAlign::Left, kPracticeInput, {}, kCheckRowButton},
    ControlSpec{ControlKind::Button,           ControlArray::PracticeCommand,  "PracticeCommand",  2, 12, {4740, 2760, 2820, 375},  N_("Провери реда"), N_("Провери реда"), std::nullopt},
    ControlSpec{ControlKind::Button,           ControlArray::PracticeCommand,  "PracticeCommand",  3, 13, {4740, 3300, 2820, 375},  N_("В сумата"), N_("Сложи избрания ред в сумата"), std::nullopt},
    ControlSpec{ControlKind::Label,            ControlArray::PracticeLabel,    "PracticeLabel",    4, 14, {120,  4440, 1560, 375},  N_("Произведение:"), N_("Произведение"), kLabelColor},
    ControlSpec{ControlKind::TextBox,          ControlArray::PracticeEntry,    "PracticeEntry",    2, 15, {1680, 4440, 1815, 405},  "", N_("Произведение"), std::nullopt, TextAlign::Left, kPracticeInput, {}, kCheckProductButton},
    ControlSpec{ControlKind::Button,           ControlArray::PracticeCommand,  "PracticeCommand",  4, 16, {3600, 4440, 1935, 375},  N_("Провери"), N_("Провери произведението"), std::nullopt},
    ControlSpec{ControlKind::MultiLineTextBox, ControlArray::PracticeFeedback, "PracticeFeedback", 0, 17, {120,  4980, 7440, 1500}, "", N_("Какво казва програмата"), std::nullopt, TextAlign::Left, 0, {}, std::nullopt, true},
};
// clang-format on

// The main window's title after the site's address.
constexpr std::string_view kTitle = N_("Математика - цвлочислено умножение");

const std::string &Caption() {
    static const std::string caption = std::string(kSiteAddress) + " " + std::string(kTitle);
    return caption;
}

} // namespace

const FormSpec &MainForm() {
    static const FormSpec form{
        .name = "Korvanta",
        .caption = Caption(),
        .clientWidth = 7215,
        .clientHeight = 6360,
        .backColor = {128, 128, 255},
        .font = {.family = "Times New Roman", .pointSize = 12, .weight = 400, .charset = 204},
        .controls = kControls,
        .menu = MainMenu(),
    };
    return form;
}

const FormSpec &ExplainForm() {
    static const FormSpec form{
        .name = "Explain",
        .caption = N_("Защо става така?"),
        .clientWidth = 8400,
        .clientHeight = 6360,
        .backColor = MainForm().backColor,
        .font = MainForm().font,
        .controls = kExplainControls,
        .opensFromMenu = true,
    };
    return form;
}

const FormSpec &PracticeForm() {
    static const FormSpec form{
        .name = "Practice",
        .caption = N_("Упражнение"),
        .clientWidth = 7680,
        .clientHeight = 6600,
        .backColor = MainForm().backColor,
        .font = MainForm().font,
        .controls = kPracticeControls,
        .opensFromMenu = true,
    };
    return form;
}

std::string WindowCaption(const FormSpec &form) {
    if (&form == &MainForm()) {
        return std::string(kSiteAddress) + " " + std::string(Tr(kTitle));
    }
    return std::string(Tr(form.caption));
}

std::span<const FormSpec *const> AllForms() {
    static const std::array forms{&MainForm(), &ExplainForm(), &PracticeForm()};
    return forms;
}

namespace {

// The form and the element `index` of a control array, or nulls.
std::pair<const FormSpec *, const ControlSpec *> Locate(ControlArray array, int index) {
    for (const FormSpec *form : AllForms()) {
        for (const ControlSpec &control : form->controls) {
            if (control.array == array && control.index == index) {
                return {form, &control};
            }
        }
    }
    return {nullptr, nullptr};
}

} // namespace

const ControlSpec *FindControl(ControlArray array, int index) { return Locate(array, index).second; }

const FormSpec *FormOf(ControlArray array, int index) { return Locate(array, index).first; }

std::vector<std::string_view> Cells(std::string_view text) {
    std::vector<std::string_view> cells;
    for (std::size_t start = 0;;) {
        const std::size_t tab = text.find('\t', start);
        cells.push_back(text.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

PixelRect PlaceBeside(PixelRect main, int width, int height, PixelRect screen, int gap) {
    // Down the screen: level with the main window, moved up where it would reach below.
    const int top = std::max(screen.top, std::min(main.top, screen.bottom() - height));
    if (main.right() + gap + width <= screen.right()) {
        return {main.right() + gap, top, width, height};
    }
    if (main.left - gap - width >= screen.left) {
        return {main.left - gap - width, top, width, height};
    }
    const int left = std::max(screen.left, std::min(main.left, screen.right() - width));
    return {left, top, width, height};
}

TwipRect VisibleRect(const ControlSpec &control, const FormSpec &form) {
    const TwipRect &r = control.rect;
    const int right = std::min(r.right(), form.clientWidth);
    const int bottom = std::min(r.bottom(), form.clientHeight);
    return {r.left, r.top, std::max(0, right - r.left), std::max(0, bottom - r.top)};
}

} // namespace korvanta
