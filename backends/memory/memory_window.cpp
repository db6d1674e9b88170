// SPDX-License-Identifier: MIT

#include "backends/memory/memory_window.h"

#include <algorithm>
#include <cstdlib>

#include "calc/texts.h"
#include "ui/list_rows.h"

namespace korvanta {

// A control shows its caption in the language chosen when it was built or last retranslated.
class MemoryWindow::Control {
public:
    explicit Control(const ControlSpec &design) : spec_(design) { Retranslate(); }
    virtual ~Control() = default;
    const ControlSpec &design() const { return spec_; }
    virtual std::string Caption() const { return caption_; }
    void Retranslate() { caption_ = Tr(spec_.text); }

private:
    const ControlSpec &spec_;
    std::string caption_;
};

class MemoryWindow::TextControl final : public Control, public TextBox {
public:
    TextControl(const ControlSpec &design, const Control *&focused)
        : Control(design), text_(Tr(design.text)), focused_(focused) {}
    std::string Caption() const override { return text_; }
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override { text_ = text; }
    void Focus() override { focused_ = this; }

private:
    std::string text_;
    const Control *&focused_;
};

// A list box, or a table: its rows' cells are separated by tabs.
class MemoryWindow::ListControl final : public Control, public ListBox {
public:
    ListControl(const ControlSpec &design, WindowEvents *&events) : Control(design), events_(events) {}
    std::string Caption() const override { return design().kind == ControlKind::Table ? Control::Caption() : ""; }

    std::int16_t ListCount() const override { return rows_.Count(); }
    std::string List(std::int16_t row) const override { return rows_.Row(row); }
    void AddItem(std::string_view text) override { rows_.Add(text); }
    void Clear() override { rows_.Clear(); }
    std::int16_t ListIndex() const override { return rows_.Selected(); }
    void SetListIndex(std::int16_t row) override {
        if (rows_.Select(row) && events_ != nullptr) {
            events_->RowChosen(design().array, design().index);
        }
    }

private:
    WindowEvents *&events_;
    ListRows rows_;
};

class MemoryWindow::CommandControl final : public Control, public Button {
public:
    using Control::Control;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }

private:
    bool enabled_ = true;
};

class MemoryWindow::LabelControl final : public Control {
public:
    using Control::Control;
};

MemoryWindow::MemoryWindow(const FormSpec &form) : form_(form) {
    for (const ControlSpec &design : form.controls) {
        switch (design.kind) {
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox: {
            auto text = std::make_unique<TextControl>(design, focused_);
            registry_.Register(design, static_cast<TextBox &>(*text));
            controls_.push_back(std::move(text));
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::Table: {
            auto list = std::make_unique<ListControl>(design, events_);
            registry_.Register(design, static_cast<ListBox &>(*list));
            controls_.push_back(std::move(list));
            break;
        }
        case ControlKind::Button: {
            auto button = std::make_unique<CommandControl>(design);
            registry_.Register(design, static_cast<Button &>(*button));
            controls_.push_back(std::move(button));
            break;
        }
        case ControlKind::Label:
            controls_.push_back(std::make_unique<LabelControl>(design));
            break;
        }
    }
}

MemoryWindow::~MemoryWindow() = default;

void MemoryWindow::Retranslate() {
    for (const auto &control : controls_) {
        control->Retranslate();
    }
}

MemoryWindow::Control &MemoryWindow::Find(ControlArray array, std::int16_t index) const {
    for (const auto &control : controls_) {
        if (control->design().array == array && control->design().index == index) {
            return *control;
        }
    }
    std::abort(); // no such control in the description
}

void MemoryWindow::ClickButton(std::int16_t index) { Click(ControlArray::Command1, index); }

void MemoryWindow::Click(ControlArray array, std::int16_t index) {
    if (registry_.Command(array, index).Enabled() && events_ != nullptr) {
        events_->Clicked(array, index);
    }
}

void MemoryWindow::SelectRow(std::int16_t list, std::int16_t row) { ChooseRow(ControlArray::List1, list, row); }

void MemoryWindow::ChooseRow(ControlArray array, std::int16_t index, std::int16_t row) {
    registry_.List(array, index).SetListIndex(row);
}

void MemoryWindow::Type(ControlArray array, std::int16_t index, std::string_view text) {
    registry_.Text(array, index).SetText(text);
}

void MemoryWindow::PressEnter(ControlArray array, std::int16_t index) {
    if (const std::optional<ButtonRef> button = Find(array, index).design().enter) {
        Click(button->array, button->index);
    }
}

const ControlSpec *MemoryWindow::Focused() const { return focused_ != nullptr ? &focused_->design() : nullptr; }

void MemoryWindow::PressFunctionKey(int key) {
    for (const MenuEntry &entry : form_.menu) {
        if (entry.functionKey == key && events_ != nullptr) {
            events_->MenuChosen(entry);
        }
    }
}

void MemoryWindow::ChooseLanguage(std::string_view code) {
    for (const MenuEntry &entry : form_.menu) {
        if (entry.command == MenuCommand::Language && entry.language == code && events_ != nullptr) {
            events_->MenuChosen(entry);
        }
    }
}

std::string MemoryWindow::Caption(ControlArray array, std::int16_t index) const { return Find(array, index).Caption(); }

Window &MemoryHost::Build(const FormSpec &form) {
    if (MemoryWindow *built = Built(form)) {
        return *built;
    }
    return *windows_.emplace_back(Entry{std::make_unique<MemoryWindow>(form)}).window;
}

void MemoryHost::Show(Window &window) {
    for (Entry &entry : windows_) {
        if (entry.window.get() == &window) {
            entry.shown = true;
        }
    }
}

MemoryWindow *MemoryHost::Built(const FormSpec &form) {
    const auto entry = std::find_if(windows_.begin(), windows_.end(),
                                    [&form](const Entry &each) { return &each.window->form() == &form; });
    return entry != windows_.end() ? entry->window.get() : nullptr;
}

bool MemoryHost::Shown(const FormSpec &form) const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [&form](const Entry &each) { return &each.window->form() == &form && each.shown; });
}

void MemoryHost::Close(const FormSpec &form) {
    for (Entry &entry : windows_) {
        if (&entry.window->form() == &form) {
            entry.shown = false;
        }
    }
}

} // namespace korvanta
