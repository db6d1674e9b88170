// SPDX-License-Identifier: MIT

#include "backends/qt/qt_window.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTableWidget>
#include <QTextCursor>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <string>

#include "calc/texts.h"

namespace korvanta {
namespace {

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A text of the description as the language chosen says it.
QString Translated(std::string_view text) { return ToQString(Tr(text)); }

std::string ToUtf8(const QString &text) { return text.toStdString(); }

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// Between the main window and a window of its menu beside it: 8 pixels at 96 DPI.
constexpr int kMenuWindowGap = 120; // twips

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

    // The control's own words in the language chosen now: its accessible name, and the
    // caption of a label. What a box or a list holds is the handlers' business.
    virtual void Retranslate() {
        widget_->setAccessibleName(Translated(spec_.accessibleName));
        if (auto *label = qobject_cast<QLabel *>(widget_)) {
            label->setText(Translated(spec_.text));
        }
    }

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
        edit_->setText(Translated(design.text));
    }
    std::string Text() const override { return ToUtf8(edit_->text()); }
    void SetText(std::string_view text) override { edit_->setText(ToQString(text)); }
    void Focus() override { edit_->setFocus(Qt::OtherFocusReason); }

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
        text_ = Tr(design.text);
        Show(); // the window opens with its texts
    }
    std::string Text() const override { return text_; }
    void SetText(std::string_view text) override {
        text_ = text;
        announcePending_ = design().announced;
        OnceLater(showPending_, [this] { Show(); });
    }
    void Focus() override { edit_->setFocus(Qt::OtherFocusReason); }

private:
    // Brings the widget up to the text kept, and has screen readers say it where the box
    // asks for that.
    void Show() {
        ShowText();
        if (announcePending_) {
            announcePending_ = false;
            Announce();
        }
    }

    // Qt 6.4 has no event that makes a screen reader speak a text of the program's choice.
    // The box's accessible description, which screen readers read out when it changes,
    // carries its newest text instead; a text written again is announced again.
    void Announce() {
        const QString said = edit_->toPlainText();
        if (edit_->accessibleDescription() == said) {
            QAccessibleEvent again(edit_, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&again);
        } else {
            edit_->setAccessibleDescription(said); // raises DescriptionChanged itself
        }
    }

    // Text that grew at its end, as the working text does, has only its new end added;
    // that keeps the lines above as laid out.
    void ShowText() {
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
    bool announcePending_ = false;
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

// A list box or a table: rows chosen one at a time. Its click is raised whenever its
// selection changes, whoever changed it: a mouse click, the keyboard, the program, or the
// accessibility interface (which selects a row without making it the current one).
class QtWindow::RowsControl : public Control, public ListBox {
public:
    RowsControl(const ControlSpec &design, QAbstractItemView *view, WindowEvents *&events)
        : Control(design, view), view_(view), events_(events) {
        view_->setSelectionMode(QAbstractItemView::SingleSelection);
        QObject::connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &receiver_,
                         [this] { OnSelectionChanged(); });
    }

    std::int16_t ListCount() const override { return static_cast<std::int16_t>(view_->model()->rowCount()); }
    void AddItem(std::string_view text) override {
        if (ListCount() < kMaxListRows) {
            AddRow(text);
            // The newest row is the one to see: scrolled to once after the handler that
            // added rows, before the rows are painted again.
            OnceLater(scrollPending_, [this] { ScrollAfterAdding(); });
        }
    }
    void Clear() override {
        muted_ = true;
        RemoveRows();
        muted_ = false;
        reported_ = -1;
    }
    std::int16_t ListIndex() const override {
        const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? std::int16_t{-1} : static_cast<std::int16_t>(selected.front().row());
    }
    void SetListIndex(std::int16_t row) override {
        if (row < -1 || row >= ListCount() || row == ListIndex()) {
            return;
        }
        if (row == -1) {
            view_->clearSelection();
        } else {
            view_->selectionModel()->setCurrentIndex(view_->model()->index(row, 0),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }

protected:
    virtual void AddRow(std::string_view text) = 0;
    virtual void RemoveRows() = 0;
    virtual void ScrollAfterAdding() { view_->scrollToBottom(); }

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

    QAbstractItemView *view_;
    WindowEvents *&events_;
    std::int16_t reported_ = -1; // the selection the last click told of
    bool muted_ = false;
    bool scrollPending_ = false;
};

// A column of the main window's table.
class QtWindow::ListControl final : public RowsControl {
public:
    ListControl(const ControlSpec &design, QListWidget *list, WindowEvents *&events)
        : RowsControl(design, list, events), list_(list) {
        list_->setSortingEnabled(false);
        list_->setUniformItemSizes(true);
    }

    std::string List(std::int16_t row) const override {
        const QListWidgetItem *item = list_->item(row);
        return item != nullptr ? ToUtf8(item->text()) : std::string();
    }

private:
    void AddRow(std::string_view text) override { list_->addItem(ToQString(text)); }
    void RemoveRows() override { list_->clear(); }

    QListWidget *list_;
};

// A table: the description's headings over its columns, at its widths (wider where a
// heading in the language chosen needs more), and rows chosen whole. The cells only show
// text; each row keeps the text it was written with, so that it reads back exactly,
// whatever its number of cells.
class QtWindow::TableControl final : public RowsControl {
public:
    TableControl(const ControlSpec &design, QTableWidget *table, int dpi, WindowEvents *&events)
        : RowsControl(design, table, events), table_(table), dpi_(dpi) {
        QHeaderView *header = table_->horizontalHeader();
        header->setStretchLastSection(true); // up to the table's edge, or the scroll bar
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        table_->verticalHeader()->hide();
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setTabKeyNavigation(false); // Tab leaves the table, as from every other control
        table_->setSortingEnabled(false);
        table_->setWordWrap(false);
        table_->setCornerButtonEnabled(false);
        ShowHeadings();
    }

    std::string List(std::int16_t row) const override {
        const QTableWidgetItem *first = row >= 0 ? table_->item(row, 0) : nullptr;
        return first != nullptr ? first->data(kWritten).toString().toStdString() : std::string();
    }

    void Retranslate() override {
        Control::Retranslate();
        ShowHeadings();
    }

private:
    void ShowHeadings() {
        const std::vector<std::string_view> headings = Cells(Tr(design().text));
        table_->setColumnCount(static_cast<int>(headings.size()));
        QStringList labels;
        for (std::string_view heading : headings) {
            labels << ToQString(heading);
        }
        table_->setHorizontalHeaderLabels(labels);
        const QHeaderView *header = table_->horizontalHeader();
        for (std::size_t column = 0; column < design().columns.size(); ++column) {
            const int index = static_cast<int>(column);
            table_->setColumnWidth(
                index, std::max(TwipsToPixels(design().columns[column], dpi_), header->sectionSizeHint(index)));
        }
    }

    static constexpr int kWritten = Qt::UserRole; // the row's text as written, on its first cell

    void AddRow(std::string_view text) override {
        const int row = table_->rowCount();
        table_->insertRow(row);
        // The hidden row heading would otherwise number the rows from 1 to screen readers.
        table_->setVerticalHeaderItem(row, new QTableWidgetItem());
        const std::vector<std::string_view> cells = Cells(text);
        for (int column = 0; column < table_->columnCount(); ++column) {
            const auto cell = static_cast<std::size_t>(column);
            auto *item = new QTableWidgetItem(cell < cells.size() ? ToQString(cells[cell]) : QString());
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column == 0) {
                item->setData(kWritten, ToQString(text));
            }
            table_->setItem(row, column, item);
        }
    }
    void RemoveRows() override { table_->setRowCount(0); }
    // The chosen row stays in sight; without one, the newest row.
    void ScrollAfterAdding() override {
        const int row = ListIndex();
        if (row >= 0) {
            table_->scrollTo(table_->model()->index(row, 0));
        } else {
            table_->scrollToBottom();
        }
    }

    QTableWidget *table_;
    int dpi_;
};

class QtWindow::ButtonControl final : public Control, public Button {
public:
    ButtonControl(const ControlSpec &design, QPushButton *button, WindowEvents *&events)
        : Control(design, button), button_(button) {
        button->setText(Translated(design.text));
        if (design.backColor) {
            button->setStyleSheet(ButtonStyleSheet(*design.backColor));
        }
        // A disabled button emits no clicks.
        QObject::connect(button, &QPushButton::clicked, &receiver_, [&events, control = &design] {
            if (events != nullptr) {
                events->Clicked(control->array, control->index);
            }
        });
    }
    bool Enabled() const override { return widget()->isEnabled(); }
    void SetEnabled(bool enabled) override { widget()->setEnabled(enabled); }
    void Retranslate() override {
        Control::Retranslate();
        button_->setText(Translated(design().text));
    }

private:
    QPushButton *button_;
};

QtWindow::QtWindow(int dpi, const FormSpec &form, QWidget *owner) : QWidget(owner), form_(form), dpi_(dpi) {
    // A window of the menu is a dialog of the main window: window managers keep it in
    // front of the main window, give it no taskbar entry of its own and a close button.
    const Qt::WindowFlags frame =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(form.opensFromMenu ? Qt::Dialog | frame : Qt::Window | frame | Qt::WindowMinimizeButtonHint);
    setWindowIcon(ProgramIcon());
    ShowLanguage();
    setFont(FormFont(form.font, dpi));
    SetBackColor(*this, QPalette::Window, ToQColor(form.backColor));
    setFixedSize(ToQRect({0, 0, form.clientWidth, form.clientHeight}, dpi).size());

    for (const ControlSpec &design : form.controls) {
        AddControl(design); // later controls lie on top of earlier ones
    }
    ConnectInputs();
    LinkLabelsAndTabOrder();
    AddMenu();
    if (form.opensFromMenu) {
        // Esc closes it, as its close button does: hidden, to be shown again as it was left.
        auto *escape = new QShortcut(QKeySequence::Cancel, this);
        QObject::connect(escape, &QShortcut::activated, this, &QWidget::close);
    }
}

QtWindow::~QtWindow() = default;

void QtWindow::Retranslate() {
    ShowLanguage();
    for (const auto &control : controls_) {
        control->Retranslate();
    }
    for (const auto &[entry, action] : menu_) {
        action->setText(Translated(entry->text));
        if (entry->command == MenuCommand::Language) {
            action->setChecked(entry->language == CurrentLanguage());
        }
    }
}

// The title, and the language the window speaks: the window's locale, which its controls
// take. Qt 6.4 tells screen readers (AT-SPI) only the application's language, its
// default locale, so that follows too.
void QtWindow::ShowLanguage() {
    const QString title = ToQString(WindowCaption(form_));
    setWindowTitle(title);
    setAccessibleName(title);
    const QLocale language(ToQString(CurrentLanguage()));
    QLocale::setDefault(language);
    setLocale(language);
}

// The menu's entries are actions of the window: each key works anywhere in it, and a
// right click or the context-menu key on the window, a label, a list or a button shows
// them with their keys (the text boxes keep their own edit menus). Qt gives the
// context-menu key's event to the focused control and then to its parents; Shift+F10
// takes the same way.
void QtWindow::AddMenu() {
    if (form_.menu.empty()) {
        return;
    }
    // The languages come after the rest, apart from it, one of them chosen.
    auto *languages = new QActionGroup(this);
    languages->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const MenuEntry &entry : form_.menu) {
        if (entry.command == MenuCommand::Language && languages->actions().isEmpty()) {
            auto *separator = new QAction(this);
            separator->setSeparator(true);
            addAction(separator);
        }
        auto *action = new QAction(Translated(entry.text), this);
        if (entry.functionKey > 0) {
            action->setShortcut(QKeySequence(Qt::Key_F1 + (entry.functionKey - 1)));
        }
        if (entry.command == MenuCommand::Language) {
            action->setCheckable(true);
            action->setChecked(entry.language == CurrentLanguage());
            languages->addAction(action);
        }
        QObject::connect(action, &QAction::triggered, this, [this, &entry] {
            if (events_ != nullptr) {
                events_->MenuChosen(entry);
            }
        });
        addAction(action);
        menu_.push_back({&entry, action});
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    QObject::connect(menuKey, &QShortcut::activated, this, [this] {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(windowHandle(), &event);
    });
}

// The windows this one owns close with it. A window of the menu closed while it has the
// keyboard hands it back to the main window, also where no window manager does that.
void QtWindow::closeEvent(QCloseEvent *event) {
    for (QObject *child : children()) {
        // Not findChildren<QtWindow *>: without a meta-object of its own, every widget is one.
        if (auto *owned = dynamic_cast<QtWindow *>(child)) {
            owned->close();
        }
    }
    if (form_.opensFromMenu && isActiveWindow() && parentWidget() != nullptr) {
        parentWidget()->activateWindow();
    }
    QWidget::closeEvent(event);
}

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
    case ControlKind::ListBox: {
        auto list = std::make_unique<ListControl>(design, new QuietListWidget(this), events_);
        registry_.Register(design, static_cast<ListBox &>(*list));
        control = std::move(list);
        break;
    }
    case ControlKind::Table: {
        auto table = std::make_unique<TableControl>(design, new QTableWidget(this), dpi_, events_);
        registry_.Register(design, static_cast<ListBox &>(*table));
        control = std::move(table);
        break;
    }
    case ControlKind::Button: {
        auto button = std::make_unique<ButtonControl>(design, new QPushButton(this), events_);
        registry_.Register(design, static_cast<Button &>(*button));
        control = std::move(button);
        break;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(Translated(design.text), this);
        label->setAlignment((design.align == TextAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        control = std::make_unique<Control>(design, label);
        break;
    }
    }
    QWidget *widget = control->widget();
    widget->setObjectName(QStringLiteral("%1_%2").arg(ToQString(design.name)).arg(design.index));
    widget->setAccessibleName(Translated(design.accessibleName));
    widget->setGeometry(ToQRect(VisibleRect(design, form_), dpi_));
    if (design.backColor) {
        SetBackColor(*widget, QPalette::Window, ToQColor(*design.backColor));
    }
    controls_.push_back(std::move(control));
}

// Enter in an input presses the button its description names.
void QtWindow::ConnectInputs() {
    for (const auto &control : controls_) {
        const std::optional<ButtonRef> enter = control->design().enter;
        auto *input = dynamic_cast<LineBox *>(control.get());
        if (input != nullptr && enter) {
            if (auto *button = qobject_cast<QPushButton *>(Widget(enter->array, enter->index))) {
                input->PressOnEnter(button);
            }
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

Window &QtHost::Build(const FormSpec &form) {
    if (QtWindow *built = Built(form)) {
        return *built;
    }
    // Built hidden; the main window owns it and deletes it with itself.
    windows_.push_back({new QtWindow(main_.dpi(), form, &main_)});
    return *windows_.back().window;
}

QtWindow *QtHost::Built(const FormSpec &form) const {
    for (const Entry &entry : windows_) {
        if (entry.window != nullptr && &entry.window->form() == &form) {
            return entry.window;
        }
    }
    return nullptr;
}

void QtHost::Show(Window &window) {
    for (Entry &entry : windows_) {
        if (entry.window == nullptr || static_cast<Window *>(entry.window.data()) != &window) {
            continue;
        }
        if (!entry.placed) {
            Place(*entry.window);
            entry.placed = true;
        }
        entry.window->show();
        entry.window->raise();
        entry.window->activateWindow();
    }
}

// Beside the main window where its screen has room, frames included; the window's own
// frame, not known before it is first shown, is taken to be as wide as the main window's.
void QtHost::Place(QtWindow &window) const {
    const QRect main = main_.frameGeometry();
    const QScreen *screen = main_.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect free = screen->availableGeometry();
    const QSize frame = window.size() + (main.size() - main_.size());
    const int gap = TwipsToPixels(kMenuWindowGap, main_.dpi());
    const PixelRect place = PlaceBeside({main.x(), main.y(), main.width(), main.height()}, frame.width(),
                                        frame.height(), {free.x(), free.y(), free.width(), free.height()}, gap);
    window.move(place.left, place.top);
}

} // namespace korvanta
