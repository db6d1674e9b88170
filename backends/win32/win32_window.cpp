// SPDX-License-Identifier: MIT

#include "backends/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <variant>

#include "backends/win32/resources.h"
#include "backends/win32/table_control.h"
#include "backends/win32/utf16.h"
#include "calc/texts.h"

namespace korvanta::win32 {
namespace {

constexpr wchar_t kClassName[] = L"KorvantaForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// A window of the menu is minimised with the main window, not on its own.
constexpr DWORD kOwnedWindowStyle = kWindowStyle & ~WS_MINIMIZEBOX;
constexpr DWORD kWindowExStyle = 0;
// Control identifiers follow the tab order, clear of IDOK and IDCANCEL, which the
// dialog manager sends for Enter and Escape.
constexpr int kFirstControlId = 100;
// The menu's entries, in the order of the description, in steps of 16: the window menu
// keeps the lowest four bits of its commands for itself, and its own start at 0xF000.
constexpr UINT_PTR kFirstMenuId = 0x1000;
constexpr UINT_PTR kMenuIdStep = 16;

UINT_PTR MenuId(std::size_t entry) { return kFirstMenuId + kMenuIdStep * entry; }

// An entry's text as a menu shows it, in the language chosen: its ampersands shown rather
// than taken for an access key, and its key after a tab ("Защо става така?\tF1").
std::wstring MenuText(const MenuEntry &entry) {
    std::wstring text;
    for (const wchar_t c : ToUtf16(Tr(entry.text))) {
        text += c == L'&' ? L"&&" : std::wstring(1, c);
    }
    if (entry.functionKey > 0) {
        text += L"\tF" + std::to_wstring(entry.functionKey);
    }
    return text;
}

// The radio mark on the language chosen now, off the others.
void ShowLanguageChosen(HMENU menu, std::span<const MenuEntry> entries) {
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        if (entries[entry].command == MenuCommand::Language) {
            const UINT id = static_cast<UINT>(MenuId(entry));
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_STATE;
            item.fState = entries[entry].language == CurrentLanguage() ? MFS_CHECKED : MFS_UNCHECKED;
            SetMenuItemInfoW(menu, id, FALSE, &item);
        }
    }
}

// The entries after what `menu` holds: the languages come last, apart from the rest, each
// with a radio mark, the one chosen now marked.
void AppendMenuEntries(HMENU menu, std::span<const MenuEntry> entries) {
    bool languages = false;
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        std::wstring text = MenuText(entries[entry]);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.fType = MFT_STRING;
        item.wID = static_cast<UINT>(MenuId(entry));
        item.dwTypeData = text.data();
        if (entries[entry].command == MenuCommand::Language) {
            if (!std::exchange(languages, true)) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            }
            item.fType |= MFT_RADIOCHECK;
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
    }
    ShowLanguageChosen(menu, entries);
}

// The entries of `menu` in the language chosen now.
void RetranslateMenuEntries(HMENU menu, std::span<const MenuEntry> entries) {
    for (std::size_t entry = 0; entry < entries.size(); ++entry) {
        std::wstring text = MenuText(entries[entry]);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = text.data();
        SetMenuItemInfoW(menu, static_cast<UINT>(MenuId(entry)), FALSE, &item);
    }
    ShowLanguageChosen(menu, entries);
}

// A context menu asked for with the keyboard comes without a place: at (-1, -1).
bool FromKeyboard(LPARAM at) { return static_cast<short>(LOWORD(at)) == -1 && static_cast<short>(HIWORD(at)) == -1; }

// The function keys F1 to F24.
constexpr int kFunctionKeys = 24;

COLORREF ToColorRef(Rgb color) { return RGB(color.red, color.green, color.blue); }

// A button in its back colour with a black caption; when disabled, faded with a grey
// caption and a flat grey edge, as in every window of the program.
constexpr COLORREF kDisabledLight = RGB(240, 240, 240);

struct ButtonLook {
    COLORREF face;
    COLORREF text;
};

ButtonLook LookOf(std::optional<Rgb> back, bool disabled) {
    const COLORREF system = GetSysColor(COLOR_BTNFACE);
    const Rgb face = back ? *back : Rgb{GetRValue(system), GetGValue(system), GetBValue(system)};
    return disabled ? ButtonLook{ToColorRef(DisabledFace(face)), ToColorRef(kDisabledCaption)}
                    : ButtonLook{ToColorRef(face), RGB(0, 0, 0)};
}

void FillSolid(HDC dc, const RECT &rect, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A flat two-pixel edge, light along the top and left, shadowed along the bottom and right.
void DrawBevel(HDC dc, const RECT &r, COLORREF light, COLORREF shadow) {
    constexpr int width = 2;
    FillSolid(dc, {r.left, r.top, r.right, r.top + width}, light);
    FillSolid(dc, {r.left, r.top, r.left + width, r.bottom}, light);
    FillSolid(dc, {r.left, r.bottom - width, r.right, r.bottom}, shadow);
    FillSolid(dc, {r.right - width, r.top, r.right, r.bottom}, shadow);
}

RECT ToPixels(const TwipRect &rect, int dpi) {
    const PixelRect pixels = TwipsToPixels(rect, dpi);
    return {pixels.left, pixels.top, pixels.right(), pixels.bottom()};
}

// Functions of newer Windows versions, looked up so that older ones still start.
template <typename Function> Function User32Function(const char *name) {
    const FARPROC address = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

int WindowDpi(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<UINT(WINAPI *)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const HDC dc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(hwnd, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, int dpi) {
    static const auto adjustForDpi =
        User32Function<BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, clientWidth, clientHeight};
    if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, kWindowExStyle, dpi)) {
        AdjustWindowRectEx(&rect, style, FALSE, kWindowExStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kClassName, &windowClass)) {
        return;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) {
        throw std::runtime_error("RegisterClassExW failed");
    }
}

// The program file's icon in the caption and the task bar, when the file has one.
void SetIcons(HWND hwnd, HINSTANCE instance) {
    for (const auto &[which, metricX, metricY] :
         {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        const HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(KORVANTA_ICON), IMAGE_ICON, GetSystemMetrics(metricX),
                                       GetSystemMetrics(metricY), LR_SHARED);
        if (icon != nullptr) {
            SendMessageW(hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
    }
}

// Raised for a box whose new text screen readers should read out: Windows 8's "live
// region changed" (older versions pass over an event they do not know).
constexpr DWORD kLiveRegionChanged = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED

// Shared by the single-line inputs and the multi-line boxes.
class EditBox final : public TextBox {
public:
    EditBox(HWND hwnd, const ControlSpec &design, Win32Window &window)
        : hwnd_(hwnd), multiLine_(design.kind == ControlKind::MultiLineTextBox), announced_(design.announced),
          window_(window) {}
    std::string Text() const override { return ToUtf8(WindowText(hwnd_)); }
    void SetText(std::string_view text) override {
        const std::wstring wide = ToUtf16(text);
        // A long text written again as it is stays scrolled where the reader left it (and is
        // not laid out again: the explanation's text comes again on every press).
        if (!multiLine_ || wide != WindowText(hwnd_)) {
            SetWindowTextW(hwnd_, wide.c_str());
        }
        if (announced_) {
            // Its scroll bar while the text needs one (the box shows it then by itself).
            // Kept when the text fits, the bar is updated on every new text, and under wine
            // that costs more than the whole check the text answers (about 2.5 ms).
            SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
            if ((GetWindowLongW(hwnd_, GWL_STYLE) & WS_VSCROLL) != 0 && GetScrollInfo(hwnd_, SB_VERT, &bar) &&
                bar.nMax - bar.nMin < static_cast<int>(bar.nPage)) {
                ShowScrollBar(hwnd_, SB_VERT, FALSE);
            }
            // Told every time, also when the words are the same: the reader hears the answer
            // to each check.
            NotifyWinEvent(kLiveRegionChanged, hwnd_, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    void Focus() override { window_.FocusControl(hwnd_); }

private:
    HWND hwnd_;
    bool multiLine_;
    bool announced_;
    Win32Window &window_;
};

class ListControl final : public ListBox {
public:
    ListControl(HWND hwnd, const ControlSpec &design, WindowEvents *const &events)
        : hwnd_(hwnd), design_(design), events_(events) {}

    std::int16_t ListCount() const override {
        const LRESULT count = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
        return static_cast<std::int16_t>(std::clamp<LRESULT>(count, 0, kMaxListRows));
    }
    std::string List(std::int16_t row) const override {
        const LRESULT length = row < 0 ? LB_ERR : SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        if (length == LB_ERR) {
            return {};
        }
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
        return ToUtf8(text);
    }
    void AddItem(std::string_view text) override {
        if (ListCount() < kMaxListRows) {
            // Without LBS_SORT the new row goes to the end.
            SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(text).c_str()));
        }
    }
    void Clear() override { SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
    std::int16_t ListIndex() const override {
        const LRESULT row = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
        return row == LB_ERR ? std::int16_t{-1} : static_cast<std::int16_t>(row);
    }
    void SetListIndex(std::int16_t row) override {
        if (row < -1 || row >= ListCount() || row == ListIndex()) {
            return;
        }
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(static_cast<INT_PTR>(row)), 0);
        // A selection set by the program sends no LBN_SELCHANGE; the list's click
        // still belongs to every change of the selection.
        if (events_ != nullptr) {
            events_->RowChosen(design_.array, design_.index);
        }
    }

private:
    HWND hwnd_;
    const ControlSpec &design_;
    WindowEvents *const &events_;
};

class PushButton final : public Button {
public:
    explicit PushButton(HWND hwnd) : hwnd_(hwnd) {}
    bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) override {
        if (!enabled && GetFocus() == hwnd_) {
            // A disabled window keeps no focus; hand it on so that the keyboard still works.
            SendMessageW(GetParent(hwnd_), WM_NEXTDLGCTL, 0, FALSE);
        }
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    }

private:
    HWND hwnd_;
};

} // namespace

class Win32Window::Child {
public:
    Child(const ControlSpec &design, HWND hwnd, int id) : design(design), hwnd(hwnd), id(id) {
        if (design.backColor) {
            back.reset(CreateSolidBrush(ToColorRef(*design.backColor)));
        }
    }

    const ControlSpec &design;
    const HWND hwnd;
    const int id;
    Brush back; // the description's back colour, if it gives one
    std::variant<std::monostate, EditBox, ListControl, PushButton, TableControl> model;
};

namespace {

struct ControlClass {
    const wchar_t *name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(const ControlSpec &design) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (design.kind) {
    case ControlKind::MultiLineTextBox:
        // Read-only: the program reads its text back and extends it, so typing into it
        // would change the sum. Without ES_AUTOHSCROLL the lines wrap at the box's edge.
        return {L"EDIT", child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                WS_EX_CLIENTEDGE};
    case ControlKind::TextBox:
        return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
        // Not LBS_SORT: rows stay in the order they were added.
        return {L"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                WS_EX_CLIENTEDGE};
    case ControlKind::Table:
        return {WC_LISTVIEWW, child | WS_TABSTOP | kTableStyle, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
        // Push buttons ignore colours; these draw themselves in their back colour.
        return {L"BUTTON", child | WS_TABSTOP | BS_OWNERDRAW, 0};
    case ControlKind::Label:
        break;
    }
    // A label's caption is one line, centred vertically in its box (SS_CENTERIMAGE).
    const DWORD align = design.align == TextAlign::Center ? SS_CENTER : SS_LEFT;
    return {L"STATIC", child | align | SS_CENTERIMAGE | SS_NOPREFIX, 0};
}

} // namespace

Win32Window::Font Win32Window::MakeFont(const FontSpec &font, int dpi) {
    return Font(CreateFontW(-MulDiv(font.pointSize, dpi, 72), 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                            static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, ToUtf16(font.family).c_str()));
}

Win32Window::Win32Window(HINSTANCE instance, const FormSpec &form, Win32Window *owner)
    : form_(form), owner_(owner), style_(owner != nullptr ? kOwnedWindowStyle : kWindowStyle) {
    const INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&commonControls);
    RegisterWindowClass(instance, &WindowProc);
    background_.reset(CreateSolidBrush(ToColorRef(form.backColor)));

    // A window of the menu starts on its owner's screen, so that it is laid out for its DPI.
    POINT origin{CW_USEDEFAULT, CW_USEDEFAULT};
    HWND ownerWindow = nullptr;
    if (owner_ != nullptr) {
        ownerWindow = owner_->hwnd_;
        RECT frame{};
        GetWindowRect(ownerWindow, &frame);
        origin = {frame.left, frame.top};
    }
    CreateWindowExW(kWindowExStyle, kClassName, ToUtf16(WindowCaption(form)).c_str(), style_, origin.x, origin.y,
                    CW_USEDEFAULT, CW_USEDEFAULT, ownerWindow, nullptr, instance, this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for a window");
    }
    try {
        ShowLanguage();
        SetIcons(hwnd_, instance);
        dpi_ = WindowDpi(hwnd_);
        font_ = MakeFont(form_.font, dpi_);
        CreateControls(instance);
        CreateMenu();
        Layout(dpi_, nullptr);
    } catch (...) {
        DestroyWindow(hwnd_);
        throw;
    }
    if (owner_ != nullptr) {
        owner_->owned_.push_back(this);
    }
}

Win32Window::~Win32Window() {
    events_ = nullptr;
    for (Win32Window *window : owned_) {
        window->owner_ = nullptr;
    }
    if (owner_ != nullptr) {
        std::erase(owner_->owned_, this);
    }
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

void Win32Window::CreateControls(HINSTANCE instance) {
    // The description lists the controls in tab order, and so they are created: the
    // Tab key (IsDialogMessage) follows the order of creation.
    for (const ControlSpec &design : form_.controls) {
        const int id = kFirstControlId + static_cast<int>(children_.size());
        const ControlClass controlClass = ClassOf(design);
        const HWND hwnd = CreateWindowExW(controlClass.exStyle, controlClass.name, L"", controlClass.style, 0, 0, 0, 0,
                                          hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (hwnd == nullptr) {
            throw std::runtime_error("CreateWindowExW failed for a control");
        }
        // The text is laid out once, in the form's font (the control's default font is
        // not the form's, and under wine some default fonts break a box's layout).
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (design.kind != ControlKind::ListBox && design.kind != ControlKind::Table) {
            SetWindowTextW(hwnd, ToUtf16(Tr(design.text)).c_str());
        }
        annotations_.Name(hwnd, Tr(design.accessibleName));
        if (design.announced) {
            annotations_.Polite(hwnd);
        }
        auto child = std::make_unique<Child>(design, hwnd, id);
        switch (design.kind) {
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox:
            if (design.maxLength > 0) {
                SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(design.maxLength), 0);
            }
            if (design.announced) {
                ShowScrollBar(hwnd, SB_VERT, FALSE); // until its text needs it
            }
            registry_.Register(design, child->model.emplace<EditBox>(hwnd, design, *this));
            break;
        case ControlKind::ListBox:
            registry_.Register(design, child->model.emplace<ListControl>(hwnd, design, events_));
            break;
        case ControlKind::Table:
            registry_.Register(design, child->model.emplace<TableControl>(hwnd, design, events_, dpi_));
            break;
        case ControlKind::Button:
            registry_.Register(design, child->model.emplace<PushButton>(hwnd));
            break;
        case ControlKind::Label:
            break;
        }
        children_.push_back(std::move(child));
    }
    // Each control is created below the ones before it, so the first in tab order lies
    // on top. The auxiliary box overlaps the working box, the first control, and must
    // lie on top of it: moving the first control to the bottom puts every other control
    // above it, while the Tab key, which goes round the controls in a circle, still
    // visits them in the same order.
    if (!children_.empty()) {
        SetWindowPos(children_.front()->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// The menu's keys, and its entries in the window menu (Alt+Space), where the form has a menu.
void Win32Window::CreateMenu() {
    if (form_.menu.empty()) {
        return;
    }
    std::vector<ACCEL> keys;
    for (std::size_t entry = 0; entry < form_.menu.size(); ++entry) {
        const int key = form_.menu[entry].functionKey;
        if (key >= 1 && key <= kFunctionKeys) {
            keys.push_back({FVIRTKEY, static_cast<WORD>(VK_F1 + key - 1), static_cast<WORD>(MenuId(entry))});
        }
    }
    if (!keys.empty()) {
        accelerators_.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
    }
    if (const HMENU system = GetSystemMenu(hwnd_, FALSE); system != nullptr) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuEntries(system, form_.menu);
    }
}

void Win32Window::Layout(int dpi, const RECT *suggested) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        Font font = MakeFont(form_.font, dpi);
        for (const auto &child : children_) {
            SendMessageW(child->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
            if (auto *table = std::get_if<TableControl>(&child->model)) {
                table->SetDpi(dpi);
            }
        }
        font_ = std::move(font); // the previous font goes only once no control uses it
    }
    for (const auto &child : children_) {
        const RECT rect = ToPixels(VisibleRect(child->design, form_), dpi);
        MoveWindow(child->hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }

    // The client area has the fixed size of the description. Some frames are not the
    // size AdjustWindowRectEx predicts (wine draws its own), so the result is measured.
    const int width = TwipsToPixels(form_.clientWidth, dpi);
    const int height = TwipsToPixels(form_.clientHeight, dpi);
    SIZE outer = OuterSize(width, height, style_, dpi);
    constexpr UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, keep | SWP_NOMOVE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (client.right != width || client.bottom != height) {
        outer = {outer.cx + width - client.right, outer.cy + height - client.bottom};
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, keep | SWP_NOMOVE);
    }

    POINT origin{};
    if (suggested != nullptr) {
        origin = {suggested->left, suggested->top};
    } else {
        // Centred on the work area of the screen the window opens on.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT &work = monitor.rcWork;
        origin = {work.left + std::max(0L, (work.right - work.left - outer.cx) / 2),
                  work.top + std::max(0L, (work.bottom - work.top - outer.cy) / 2)};
    }
    SetWindowPos(hwnd_, nullptr, origin.x, origin.y, 0, 0, keep | SWP_NOSIZE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Window::Retranslate() {
    ShowLanguage();
    SetWindowTextW(hwnd_, ToUtf16(WindowCaption(form_)).c_str());
    for (const auto &child : children_) {
        annotations_.Name(child->hwnd, Tr(child->design.accessibleName));
        switch (child->design.kind) {
        case ControlKind::Button:
        case ControlKind::Label:
            SetWindowTextW(child->hwnd, ToUtf16(Tr(child->design.text)).c_str());
            break;
        case ControlKind::Table:
            std::get<TableControl>(child->model).Retranslate();
            break;
        case ControlKind::TextBox:
        case ControlKind::MultiLineTextBox:
        case ControlKind::ListBox:
            break; // their contents are the handlers' to rewrite
        }
    }
    if (!form_.menu.empty()) {
        if (const HMENU system = GetSystemMenu(hwnd_, FALSE); system != nullptr) {
            RetranslateMenuEntries(system, form_.menu);
        }
    }
}

// The language the window speaks, as far as Windows has one for a window: the thread's
// user interface language, in which Windows gives its own words (the text boxes' edit
// menus, among others) where that language is installed. In Bulgarian the program leaves
// it as the user's Windows has it, as it always has.
void Win32Window::ShowLanguage() {
    static const LANGID usersOwn = GetThreadUILanguage();
    const LANGID language = CurrentLanguage() == "en" ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) : usersOwn;
    if (GetThreadUILanguage() != language) {
        SetThreadUILanguage(language);
    }
}

void Win32Window::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void Win32Window::Hide() {
    // The main window takes the keyboard back, at the control it had.
    const bool active = GetActiveWindow() == hwnd_;
    ShowWindow(hwnd_, SW_HIDE);
    if (active && owner_ != nullptr) {
        SetActiveWindow(owner_->hwnd_);
    }
}

int Win32Window::Run() {
    running_ = true;
    MSG message{};
    BOOL result = 0;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    running_ = false;
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    return result < 0 ? 1 : static_cast<int>(message.wParam);
}

bool Win32Window::TranslateDialogMessage(MSG &message) {
    Win32Window *window = WindowHolding(message.hwnd);
    if (window == nullptr) {
        return false;
    }
    if (window->accelerators_ && TranslateAcceleratorW(window->hwnd_, window->accelerators_.get(), &message)) {
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        // Esc cancels the window whatever has the focus: a window of the menu hides, the
        // main window stays as it is. (Left to themselves, multi-line boxes would close the
        // window they are in, the main window too.)
        SendMessageW(window->hwnd_, WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    return IsDialogMessageW(window->hwnd_, &message) != FALSE;
}

Win32Window *Win32Window::WindowHolding(HWND hwnd) {
    if (hwnd == nullptr || hwnd_ == nullptr) {
        return nullptr;
    }
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root == hwnd_) {
        return this;
    }
    const auto owned = std::find_if(owned_.begin(), owned_.end(), [root](const Win32Window *window) {
        return window->hwnd_ != nullptr && window->hwnd_ == root;
    });
    return owned != owned_.end() ? *owned : nullptr;
}

HWND Win32Window::ControlWindow(ControlArray array, int index) const {
    for (const auto &child : children_) {
        if (child->design.array == array && child->design.index == index) {
            return child->hwnd;
        }
    }
    return nullptr;
}

Win32Window::Child *Win32Window::FindChild(HWND control) const {
    for (const auto &child : children_) {
        if (child->hwnd == control) {
            return child.get();
        }
    }
    return nullptr;
}

Win32Window::Child *Win32Window::FindChild(int id) const {
    const int position = id - kFirstControlId;
    return position >= 0 && position < static_cast<int>(children_.size())
               ? children_[static_cast<std::size_t>(position)].get()
               : nullptr;
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *self = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Win32Window *>(reinterpret_cast<const CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        if (self->running_) {
            PostQuitMessage(0);
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // The handlers' turn is over when the outermost message of these windows has been
    // handled: the tables they wrote again then drop the rows that did not come back
    // (and at the latest when kTrimTable arrives).
    static thread_local int depth = 0;
    ++depth;
    LRESULT result = 0;
    // An exception must not unwind through Windows' own frames: it ends the event loop
    // and Run() throws it again.
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        (self->owner_ != nullptr ? self->owner_ : self)->failure_ = std::current_exception();
        PostQuitMessage(1);
    }
    // Not while a list view tells of a change: it is in the middle of its own work.
    if (depth == 1 && message != WM_NOTIFY) {
        self->TrimTables(); // its own notifications come at a depth of 2
    }
    --depth;
    return result;
}

TableControl *Win32Window::TableOf(Child *child) {
    return child != nullptr ? std::get_if<TableControl>(&child->model) : nullptr;
}

void Win32Window::TrimTables() {
    Win32Window &main = owner_ != nullptr ? *owner_ : *this;
    const auto trim = [](const Win32Window &window) {
        for (const auto &child : window.children_) {
            if (TableControl *table = TableOf(child.get())) {
                table->Trim();
            }
        }
    };
    trim(main);
    for (const Win32Window *window : main.owned_) {
        trim(*window);
    }
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case kCheckTableSelection:
        if (TableControl *table = TableOf(FindChild(static_cast<int>(wParam)))) {
            table->CheckSelection();
        }
        return 0;
    case kTrimTable:
        if (TableControl *table = TableOf(FindChild(static_cast<int>(wParam)))) {
            table->Trim();
        }
        return 0;
    case WM_SYSCOMMAND:
        if (ChooseMenuEntry(wParam & 0xFFF0)) {
            return 0;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CONTEXTMENU:
        // From the form, a label, a list or a button (the text boxes keep their own edit
        // menus); over the frame, the window menu.
        if (!form_.menu.empty() && (FromKeyboard(lParam) || SendMessageW(hwnd_, WM_NCHITTEST, 0, lParam) == HTCLIENT)) {
            ShowContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_DESTROY:
        // Its controls still stand; what screen readers were told of them goes first.
        for (const auto &child : children_) {
            annotations_.Clear(child->hwnd);
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CLOSE:
        if (owner_ != nullptr) {
            Hide();
            return 0;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
        return OnStaticColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return TRUE;
    }
    case DM_GETDEFID:
        return DefaultButtonId();
    case WM_NEXTDLGCTL:
        // Sent by the dialog manager and by multi-line boxes for Tab and Shift+Tab.
        MoveFocus(LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                      : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE));
        return 0;
    case WM_ACTIVATE:
        // The focus leaves with the window and comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (const HWND focus = GetFocus(); focus != nullptr && IsChild(hwnd_, focus)) {
                focusWhenInactive_ = focus;
            }
        } else if (HIWORD(wParam) == 0 && !children_.empty()) {
            // The first time, the first control in tab order that takes the keyboard.
            const bool back = focusWhenInactive_ != nullptr && IsWindowEnabled(focusWhenInactive_);
            const auto first = std::find_if(children_.begin(), children_.end(), [](const auto &child) {
                return (GetWindowLongW(child->hwnd, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowEnabled(child->hwnd);
            });
            MoveFocus(back ? focusWhenInactive_ : first != children_.end() ? (*first)->hwnd : nullptr);
        }
        return 0;
    case WM_DPICHANGED:
        Layout(HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        return 0;
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void Win32Window::OnCommand(int id, int code) {
    if (ChooseMenuEntry(static_cast<UINT_PTR>(id))) {
        return;
    }
    if (id == IDCANCEL) {
        // Esc: a window of the menu hides; the main window ignores it.
        if (owner_ != nullptr) {
            Hide();
        }
        return;
    }
    const Child *child = FindChild(id);
    if (child == nullptr || events_ == nullptr) {
        return;
    }
    if (child->design.kind == ControlKind::Button && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        // A quick second click on an owner-drawn button arrives as BN_DOUBLECLICKED; it is
        // a press all the same. A disabled button delivers nothing, whoever sent the click.
        if (IsWindowEnabled(child->hwnd)) {
            events_->Clicked(child->design.array, child->design.index);
        }
    } else if (child->design.kind == ControlKind::ListBox && code == LBN_SELCHANGE) {
        events_->RowChosen(child->design.array, child->design.index);
    }
}

LRESULT Win32Window::OnNotify(const NMHDR &notification) {
    if (notification.code == LVN_ITEMCHANGED) {
        if (TableControl *table = TableOf(FindChild(notification.hwndFrom))) {
            table->ItemChanged(reinterpret_cast<const NMLISTVIEW &>(notification));
        }
    }
    return 0;
}

bool Win32Window::ChooseMenuEntry(UINT_PTR id) {
    if (id < kFirstMenuId || (id - kFirstMenuId) % kMenuIdStep != 0) {
        return false;
    }
    const std::size_t entry = (id - kFirstMenuId) / kMenuIdStep;
    if (entry >= form_.menu.size()) {
        return false;
    }
    if (events_ != nullptr) {
        events_->MenuChosen(form_.menu[entry]);
    }
    return true;
}

void Win32Window::ShowContextMenu(HWND source, LPARAM at) {
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (FromKeyboard(at)) {
        // Shift+F10 or the Menu key: at the control that has the focus, or the form's corner.
        RECT rect{};
        if (source != nullptr && source != hwnd_ && IsChild(hwnd_, source)) {
            GetWindowRect(source, &rect);
        } else {
            MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT *>(&rect), 1);
        }
        point = {rect.left, rect.top};
    }
    const HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    AppendMenuEntries(menu, form_.menu);
    const auto chosen = static_cast<UINT_PTR>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    ChooseMenuEntry(chosen);
}

LRESULT Win32Window::OnStaticColor(HDC dc, HWND control) {
    const Child *child = FindChild(control);
    if (child != nullptr && child->back) {
        SetBkColor(dc, ToColorRef(*child->design.backColor));
        return reinterpret_cast<LRESULT>(child->back.get());
    }
    if (child != nullptr && child->design.kind == ControlKind::MultiLineTextBox) {
        // A read-only box would be grey; it keeps the colours of a text box.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void Win32Window::DrawButton(const DRAWITEMSTRUCT &item) const {
    const Child *child = FindChild(item.hwndItem);
    if (child == nullptr || item.CtlType != ODT_BUTTON) {
        return;
    }
    const HDC dc = item.hDC;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const ButtonLook look = LookOf(child->design.backColor, disabled);
    RECT rect = item.rcItem;
    FillSolid(dc, rect, look.face);
    if (disabled) {
        DrawBevel(dc, rect, kDisabledLight, ToColorRef(kDisabledEdge));
    } else {
        DrawEdge(dc, &rect, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }

    const std::wstring caption = WindowText(item.hwndItem);
    const HGDIOBJ previousFont = SelectObject(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.text);
    RECT textRect = rect;
    if (pushed) {
        OffsetRect(&textRect, 1, 1);
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previousFont);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = rect;
        InflateRect(&focus, -4, -4);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

LRESULT Win32Window::DefaultButtonId() const {
    // Enter presses the focused button; in an input, the button its description names
    // (in the main window Calculate, Command1(0)).
    const Child *focused = FindChild(GetFocus());
    const Child *target = nullptr;
    if (focused != nullptr && focused->design.kind == ControlKind::Button) {
        target = focused;
    } else if (focused != nullptr && focused->design.kind == ControlKind::TextBox && focused->design.enter) {
        target = FindChild(ControlWindow(focused->design.enter->array, focused->design.enter->index));
    }
    if (target == nullptr || !IsWindowEnabled(target->hwnd)) {
        return 0;
    }
    return MAKELRESULT(target->id, DC_HASDEFID);
}

void Win32Window::FocusControl(HWND control) {
    if (hwnd_ != nullptr && GetActiveWindow() == hwnd_) {
        MoveFocus(control);
    } else {
        // A hidden or inactive window gives it the focus when it is next activated.
        focusWhenInactive_ = control;
    }
}

void Win32Window::MoveFocus(HWND target) {
    if (target == nullptr) {
        return;
    }
    // An input comes with its number selected, so that typing replaces it; a long text
    // is not highlighted as a whole (the window opens with the task statement focused).
    if (const Child *child = FindChild(target); child != nullptr && child->design.kind == ControlKind::TextBox) {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
    SetFocus(target);
}

} // namespace korvanta::win32
