// SPDX-License-Identifier: MIT
#include "ui/program.h"

#include <string>
#include <utility>

#include "calc/texts.h"

namespace korvanta {

Program::Program(Window &main, WindowHost &host, Random random)
    : main_(main), host_(host), form_(main.controls()), random_(std::move(random)) {
    main_.Connect(*this);
}

void Program::Clicked(ControlArray array, std::int16_t index) {
    if (array != ControlArray::Command1) {
        return;
    }
    form_.Command1_Click(index);
    if (explain_) {
        explain_->Refresh();
    }
}

void Program::RowChosen(ControlArray array, std::int16_t index) {
    if (array != ControlArray::List1) {
        return;
    }
    form_.List1_Click(index);
    if (explain_) {
        explain_->ShowRow(main_.controls().List1(0).ListIndex());
    }
}

void Program::MenuChosen(const MenuEntry &entry) {
    switch (entry.command) {
    case MenuCommand::Explain:
        if (!explain_) {
            explainWindow_ = &host_.Build(ExplainForm());
            explain_ = std::make_unique<WhyItWorks>(main_.controls(), explainWindow_->controls());
            explainWindow_->Connect(*explain_);
        }
        explain_->Refresh();
        host_.Show(*explainWindow_);
        break;
    case MenuCommand::Practice:
        if (!practice_) {
            practiceWindow_ = &host_.Build(PracticeForm());
            practice_ = std::make_unique<Practice>(practiceWindow_->controls(), random_);
            practiceWindow_->Connect(*practice_);
        }
        host_.Show(*practiceWindow_);
        break;
    case MenuCommand::Language:
        SwitchLanguage(entry.language);
        break;
    }
}

// Every open window in the new language, in the same turn: the windows' own words, the
// boxes that still show what they opened with or one of the program's messages, the
// explanation and the practice's feedback. The rows, the inputs and the working text stay.
void Program::SwitchLanguage(std::string_view code) {
    const std::string before(CurrentLanguage());
    if (!SetLanguage(code)) {
        return;
    }
    const std::pair<const FormSpec *, Window *> windows[] = {
        {&MainForm(), &main_}, {&ExplainForm(), explainWindow_}, {&PracticeForm(), practiceWindow_}};
    for (const auto &[form, window] : windows) {
        if (window == nullptr) {
            continue;
        }
        window->Retranslate();
        for (const ControlSpec &design : form->controls) {
            if (design.kind == ControlKind::TextBox || design.kind == ControlKind::MultiLineTextBox) {
                FollowLanguage(window->controls().Text(design.array, design.index), before,
                               {design.text, kNotGreaterThanOne, kTooLarge});
            }
        }
    }
    if (explain_) {
        explain_->Refresh();
    }
    if (practice_) {
        practice_->Retranslate();
    }
}

// A box that still shows one of `texts` as the language `before` says it, shows it in the
// language chosen now; anything else in it, typed or grown, stays as it is.
void Program::FollowLanguage(TextBox &box, std::string_view before, std::initializer_list<std::string_view> texts) {
    const std::string shown = box.Text();
    for (std::string_view text : texts) {
        if (!text.empty() && shown == TrIn(before, text)) {
            box.SetText(Tr(text));
            return;
        }
    }
}

} // namespace korvanta
