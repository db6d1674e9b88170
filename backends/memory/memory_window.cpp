// SPDX-License-Identifier: MIT

#include "backends/memory/memory_window.h"

#include <cstdlib>

#include "ui/list_rows.h"

namespace korvanta {

class MemoryWindow::Control {
public:
    explicit Control(const ControlSpec &design) : spec_(design) {}
    virtual ~Control() = default;
    const ControlSpec &design() const { return spec_; }
    virtual std::string Caption() const { return std::string(spec_.text); }

private:
    const ControlSpec &spec_;
};

class MemoryWindow::TextControl final : public Control, public TextBox {
public:
    explicit TextControl(const ControlSpec &design) : Control(design), text_(design.text) {}
    std::string Caption() const override { return text_; }
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override { text_ = text; }

private:
    std::string text_;
};

class MemoryWindow::ListControl final : public Control, public ListBox {
public:
    ListControl(const ControlSpec &design, FormEvents *&events) : Control(design), events_(events) {}
    std::string Caption() const override { return {}; }

    std::int16_t ListCount() const override { return rows_.Count(); }
    std::string List(std::int16_t row) const override { return rows_.Row(row); }
    void AddItem(std::string_view text) override { rows_.Add(text); }
    void Clear() override { rows_.Clear(); }
    std::int16_t ListIndex() const override { return rows_.Selected(); }
    void SetListIndex(std::int16_t row) override {
        if (rows_.Select(row) && events_ != nullptr) {
            events_->List1_Click(design().index);
        }
    }

private:
    FormEvents *&events_;
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

MemoryWindow::MemoryWindow(const FormSpec &form) {
    for (const ControlSpec &design : form.controls) {
        switch (design.kind) {
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox: {
            auto text = std::make_unique<TextControl>(design);
            registry_.Register(design, static_cast<TextBox &>(*text));
            controls_.push_back(std::move(text));
            break;
        }
        case ControlKind::ListBox: {
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

MemoryWindow::Control &MemoryWindow::Find(ControlArray array, std::int16_t index) const {
    for (const auto &control : controls_) {
        if (control->design().array == array && control->design().index == index) {
            return *control;
        }
    }
    std::abort(); // no such control in the description
}

void MemoryWindow::ClickButton(std::int16_t index) {
    if (registry_.Command1(index).Enabled() && events_ != nullptr) {
        events_->Command1_Click(index);
    }
}

void MemoryWindow::SelectRow(std::int16_t list, std::int16_t row) { registry_.List1(list).SetListIndex(row); }

void MemoryWindow::Type(ControlArray array, std::int16_t index, std::string_view text) {
    TextBox &box = array == ControlArray::Text1 ? registry_.Text1(index) : registry_.Text2(index);
    box.SetText(text);
}

std::string MemoryWindow::Caption(ControlArray array, std::int16_t index) const { return Find(array, index).Caption(); }

} // namespace korvanta
