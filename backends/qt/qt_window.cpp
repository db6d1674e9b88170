// SPDX-License-Identifier: MIT

#include "backends/qt/qt_window.h"

#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextCursor>

#include <cmath>
#include <string>

namespace korvanta {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToUtf8(const QString &text) { return text.toStdString(); }

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

void SetBackColor(QWidget &widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// A button painted in its back colour by every Qt style: raised when up, sunken while
// pressed, a black frame when it has the focus, and faded with grey text when disabled.
QString ButtonStyleSheet(Rgb back) {
    const QColor colour = ToQColor(back);
    return QStringLiteral("QPushButton { background-color: %1; color: black; border: 2px outset %2;"
                          " border-radius: 0px; padding: 0px; }"
                          "QPushButton:focus { border: 2px solid black; }"
                          "QPushButton:pressed { background-color: %3; border: 2px inset %2; }"
                          "QPushButton:disabled { background-color: %4; color: %5; border: 2px outset %6; }")
        .arg(colour.name(), colour.darker(150).name(), colour.darker(115).name(), ToQColor(DisabledFace(back)).name(),
             ToQColor(kDisabledCaption).name(), ToQColor(kDisabledEdge).name());
}

} // namespace

int ScreenLogicalDpi() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

QRect ToQRect(const TwipRect &rect, int dpi) {
    const PixelRect pixels = TwipsToPixels(rect, dpi);
    return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

QFont FormFont(const FontSpec &fontDesign, int dpi) {
    QFont font(ToQString(fontDesign.family));
    font.setStyleHint(QFont::Serif);
    // Points are 1/72 inch.
    font.setPixelSize(static_cast<int>(std::lround(fontDesign.pointSize * dpi / 72.0)));
    font.setWeight(static_cast<QFont::Weight>(fontDesign.weight));
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QIcon ProgramIcon() {
    // Read as PNG straight away: with format detection on, QImageReader loads every
    // image-format plugin to ask whether it reads PNG before it takes its own reader.
    QImageReader reader(QStringLiteral(":/korvanta/hamburger.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

// A control of the description and the widget made for it.
class QtWindow::Control {
public:
    Control(const ControlSpec &design, QWidget *widget) : spec_(design), widget_(widget) {}
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const ControlSpec &design() const { return spec_; }
    QWidget *widget() const { return widget_; }

protected:
    // Runs `action` once in the next turn of the event loop, however often it is asked
    // for until then; never after the control is gone. Qt posts the repaints a change
    // asks for at a lower priority, so they come after it.
    template <typename Action> void OnceLater(bool &pending, Action action) {
        if (pending) {
            return;
        }
        pending = true;
        QMetaObject::invokeMethod(
            &receiver_,
            [&pending, action] {
                pending = false;
                action();
            },
            Qt::QueuedConnection);
    }

    // The receiver of the widget's signals: the connections end with this control.
    QObject receiver_;

private:
    const ControlSpec &spec_;
    QWidget *widget_;
};

// An input: one line, typed into by the user and read back as typed.
class QtWindow::LineBox final : public Control, public TextBox {
public:
    LineBox(const ControlSpec &design, QLineEdit *edit) : Control(design, edit), edit_(edit) {
        if (design.maxLength > 0) {
            edit_->setMaxLength(design.maxLength);
        }
        edit_->setText(ToQString(design.text));
    }
    std::string Text() const override { return ToUtf8(edit_->text()); }
    void SetText(std::string_view text) override { edit_->setText(ToQString(text)); }

    void PressOnEnter(QPushButton *button) {
        // click() does nothing while the button is disabled.
        QObject::connect(edit_, &QLineEdit::returnPressed, &receiver_, [button] { button->click(); });
    }

private:
    QLineEdit *edit_;
};

// A box of several lines that only the program writes. The widget turns each CR LF into
// a line break of its own, so the text as written is kept beside it and read back.
// Laying the text out is most of what a press of Calculate costs, and a press writes the
// working box up to three times: the widget takes the last text written once, in the
// next turn of the event loop, ahead of the repaint the press asks for.
class QtWindow::MultiLineBox final : public Control, public TextBox {
public:
    MultiLineBox(const ControlSpec &design, QPlainTextEdit *edit) : Control(design, edit), edit_(edit) {
        edit_->setUndoRedoEnabled(false); // nothing to undo: no one types here
        edit_->setReadOnly(true);
        edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit_->setFocusPolicy(Qt::StrongFocus);
        edit_->setTabChangesFocus(true);
        edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap instead
        QPalette palette = edit_->palette();
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
        edit_->setPalette(palette);
        text_ = design.text;
        Show(); // the window opens with its texts
    }
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override {
        text_ = text;
        OnceLater(showPending_, [this] { Show(); });
    }

private:
    // Brings the widget up to the text kept. Text that grew at its end, as the working
    // text does, has only its new end added; that keeps the lines above as laid out.
    void Show() {
        if (text_ == shown_) {
            return;
        }
        if (GrewAtEnd(shown_, text_)) {
            QTextCursor end(edit_->document());
            end.movePosition(QTextCursor::End);
            end.insertText(ToQString(std::string_view(text_).substr(shown_.size())));
        } else {
            edit_->setPlainText(ToQString(text_));
        }
        shown_ = text_;
    }

    // Whether `now` is `before` with more added where adding it shows the same as setting
    // the whole: not within a CR LF (one line break, not two) nor within a character.
    static bool GrewAtEnd(std::string_view before, std::string_view now) {
        const auto isContinuation = [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; };
        return !before.empty() && now.size() > before.size() && now.starts_with(before) && before.back() != '\r' &&
               !isContinuation(now[before.size()]);
    }

    QPlainTextEdit *edit_;
    std::string text_;  // as last written
    std::string shown_; // what the widget holds, as written
    bool showPending_ = false;
};

namespace {

// A list that asks the X server where the pointer is, each time it scrolls, only when the
// pointer is on it. Qt's item views ask on every scroll (a round trip to the server), to
// move their hover effects to the row that came under the pointer.
class QuietListWidget final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void verticalScrollbarValueChanged(int value) override {
        if (viewport()->underMouse()) {
            QListWidget::verticalScrollbarValueChanged(value);
        }
    }
};

} // namespace

// A column of the table. Its click is raised whenever its selection changes, whoever
// changed it: a mouse click, the keyboard, the program, or the accessibility interface
// (which selects a row without making it the current one).
class QtWindow::ListControl final : public Control, public ListBox {
public:
    ListControl(const ControlSpec &design, QListWidget *list, WindowEvents *&events)
        : Control(design, list), list_(list), events_(events) {
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setSortingEnabled(false);
        list_->setUniformItemSizes(true);
        QObject::connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, &receiver_,
                         [this] { OnSelectionChanged(); });
    }

    std::int16_t ListCount() const override { return static_cast<std::int16_t>(list_->count()); }
    std::string List(std::int16_t row) const override {
        const QListWidgetItem *item = list_->item(row);
        return item != nullptr ? ToUtf8(item->text()) : std::string();
    }
    void AddItem(std::string_view text) override {
        if (list_->count() < kMaxListRows) {
            list_->addItem(ToQString(text));
            // The newest row is the one to see: scrolled to once after the handler that
            // added rows, before the list is painted again.
            OnceLater(scrollPending_, [this] { list_->scrollToBottom(); });
        }
    }
    void Clear() override {
        muted_ = true;
        list_->clear();
        muted_ = false;
        reported_ = -1;
    }
    std::int16_t ListIndex() const override {
        const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? std::int16_t{-1} : static_cast<std::int16_t>(selected.front().row());
    }
    void SetListIndex(std::int16_t row) override {
        if (row < -1 || row >= ListCount() || row == ListIndex()) {
            return;
        }
        if (row == -1) {
            list_->clearSelection();
        } else {
            list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        }
    }

private:
    void OnSelectionChanged() {
        const std::int16_t row = ListIndex();
        if (muted_ || row == reported_) {
            return;
        }
        reported_ = row;
        if (events_ != nullptr) {
            events_->RowChosen(design().array, design().index);
        }
    }

    QListWidget *list_;
    WindowEvents *&events_;
    std::int16_t reported_ = -1; // the selection the last click told of
    bool muted_ = false;
    bool scrollPending_ = false;
};

class QtWindow::ButtonControl final : public Control, public Button {
public:
    ButtonControl(const ControlSpec &design, QPushButton *button, WindowEvents *&events) : Control(design, button) {
        button->setText(ToQString(design.text));
        if (design.backColor) {
            button->setStyleSheet(ButtonStyleSheet(*design.backColor));
        }
        // A disabled button emits no clicks.
        QObject::connect(button, &QPushButton::clicked, &receiver_, [&events, spec = &design] {
            if (events != nullptr) {
                events->Clicked(spec->array, spec->index);
            }
        });
    }
    bool Enabled() const override { return widget()->isEnabled(); }
    void SetEnabled(bool enabled) override { widget()->setEnabled(enabled); }
};

QtWindow::QtWindow(int dpi, const FormSpec &form) : dpi_(dpi) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(ToQString(form.caption));
    setWindowIcon(ProgramIcon());
    setAccessibleName(ToQString(form.caption));
    setFont(FormFont(form.font, dpi));
    SetBackColor(*this, QPalette::Window, ToQColor(form.backColor));
    setFixedSize(ToQRect({0, 0, form.clientWidth, form.clientHeight}, dpi).size());

    for (const ControlSpec &design : form.controls) {
        AddControl(design); // later controls lie on top of earlier ones
    }
    ConnectInputs();
    LinkLabelsAndTabOrder();
}

QtWindow::~QtWindow() = default;

void QtWindow::AddControl(const ControlSpec &design) {
    std::unique_ptr<Control> control;
    switch (design.kind) {
    case ControlKind::TextBox: {
        auto box = std::make_unique<LineBox>(design, new QLineEdit(this));
        registry_.Register(design, static_cast<TextBox &>(*box));
        control = std::move(box);
        break;
    }
    case ControlKind::MultiLineTextBox: {
        auto box = std::make_unique<MultiLineBox>(design, new QPlainTextEdit(this));
        registry_.Register(design, static_cast<TextBox &>(*box));
        control = std::move(box);
        break;
    }
    case ControlKind::ListBox:
    case ControlKind::Table: {
        auto list = std::make_unique<ListControl>(design, new QuietListWidget(this), events_);
        registry_.Register(design, static_cast<ListBox &>(*list));
        control = std::move(list);
        break;
    }
    case ControlKind::Button: {
        auto button = std::make_unique<ButtonControl>(design, new QPushButton(this), events_);
        registry_.Register(design, static_cast<Button &>(*button));
        control = std::move(button);
        break;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(ToQString(design.text), this);
        label->setAlignment((design.align == TextAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        control = std::make_unique<Control>(design, label);
        break;
    }
    }
    QWidget *widget = control->widget();
    widget->setObjectName(QStringLiteral("%1_%2").arg(ToQString(design.name)).arg(design.index));
    widget->setAccessibleName(ToQString(design.accessibleName));
    widget->setGeometry(ToQRect(VisibleRect(design), dpi_));
    if (design.backColor) {
        SetBackColor(*widget, QPalette::Window, ToQColor(*design.backColor));
    }
    controls_.push_back(std::move(control));
}

void QtWindow::ConnectInputs() {
    auto *calculate = qobject_cast<QPushButton *>(Widget(ControlArray::Command1, 0));
    for (const auto &control : controls_) {
        if (auto *input = dynamic_cast<LineBox *>(control.get()); input != nullptr && calculate != nullptr) {
            input->PressOnEnter(calculate);
        }
    }
}

// Tab moves through the controls in the order of the description. A label names the
// input that follows it, as screen readers expect.
void QtWindow::LinkLabelsAndTabOrder() {
    QWidget *previousStop = nullptr;
    QLabel *pendingLabel = nullptr;
    for (const auto &control : controls_) {
        QWidget *widget = control->widget();
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            pendingLabel = label;
            continue;
        }
        if (pendingLabel != nullptr && control->design().kind == ControlKind::TextBox) {
            pendingLabel->setBuddy(widget);
        }
        pendingLabel = nullptr;
        if (previousStop != nullptr) {
            setTabOrder(previousStop, widget);
        }
        previousStop = widget;
    }
}

QWidget *QtWindow::Widget(ControlArray array, int index) const {
    for (const auto &control : controls_) {
        if (control->design().array == array && control->design().index == index) {
            return control->widget();
        }
    }
    return nullptr;
}

void QtWindow::ShowCentred() {
    const QScreen *target = screen();
    if (target != nullptr) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), target->availableGeometry()));
    }
    show();
}

} // namespace korvanta
