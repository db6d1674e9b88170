// SPDX-License-Identifier: MIT
#include "ui/program.h"

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

void Program::MenuChosen(MenuCommand command) {
    switch (command) {
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
    }
}

} // namespace korvanta
