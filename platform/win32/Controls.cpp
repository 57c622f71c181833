// The standard controls as the system's own child windows. Each window carries its control as
// a window property, so that what it sends its parent (a form, or a page or panel window of
// our own class) finds the control (Controlmessages.cpp); the control's state is shown on the
// window whenever it changes.
#include "platform/Dpi.h"
#include "platform/Controls.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formnative.h"
#include "platform/win32/Gdi.h"
#include "platform/win32/Pixels.h"
#include "platform/win32/Wide.h"

#include <algorithm>
#include <commctrl.h>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

using win32::widen;

constexpr const wchar_t* kControlProperty = L"KestrumControl";
constexpr const wchar_t* kContainerClass = L"KestrumContainer";
constexpr int kUpDownWidth = 16;

void forget(HWND window) {
    if (!window) return;
    // No message may reach a control that is going away.
    RemovePropW(window, kControlProperty);
    DestroyWindow(window);
}

void setWindowText(HWND window, const std::string& text) {
    if (win32::windowText(window) != text) SetWindowTextW(window, widen(text).c_str());
}

Rect boundsIn(HWND parent, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return toUnits(win32::pixelRectOf(r));
}

void place(HWND window, const Rect& units) {
    const PixelRect bounds = toPixels(units);
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void setStyleBit(HWND window, LONG bit, bool on) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG wanted = on ? style | bit : style & ~bit;
    if (wanted != style) SetWindowLongW(window, GWL_STYLE, wanted);
}

LRESULT CALLBACK containerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        auto* container = static_cast<Container*>(win32::controlOfWindow(window));
        if (!container) return DefWindowProcW(window, message, wParam, lParam);
        RECT client{};
        GetClientRect(window, &client);
        const win32::ScopedGdiObject brush(CreateSolidBrush(win32::colorRef(container->color())));
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
        return 1;
    }
    if (const auto answer = win32::answerControl(message, wParam, lParam)) return *answer;
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* containerClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = containerProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kContainerClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    return kContainerClass;
}

// How the window of each kind of control is made.
struct WindowRecipe {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle = 0;
    std::string text;
};

// Every control but a radio item starts a group of its own, so that the arrow keys move only
// among a radio group's items.
WindowRecipe recipeOf(const ChildControl& control) {
    constexpr DWORD focusable = WS_TABSTOP | WS_GROUP;
    switch (control.kind()) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(control);
        return {L"STATIC", SS_NOTIFY | WS_GROUP, 0, label.text()};
    }
    case ControlKind::PushButton: {
        const auto& button = static_cast<const PushButton&>(control);
        return {L"BUTTON", focusable | (button.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                button.caption()};
    }
    case ControlKind::CheckBox:
        return {L"BUTTON", focusable | BS_AUTOCHECKBOX, 0,
                static_cast<const CheckBox&>(control).caption()};
    case ControlKind::RadioGroup:
        // Transparent, so that its parent paints the inside of its frame, which it does not.
        return {L"BUTTON", WS_GROUP | BS_GROUPBOX, WS_EX_TRANSPARENT,
                static_cast<const RadioGroup&>(control).caption()};
    case ControlKind::EditBox:
        return {L"EDIT", focusable | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {}};
    case ControlKind::UpDown:
        return {UPDOWN_CLASSW,
                UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                0,
                {}};
    case ControlKind::PageControl:
        return {
            WC_TABCONTROLW, focusable | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, {}};
    case ControlKind::Page:
    case ControlKind::Panel:
        return {containerClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {}};
    case ControlKind::ListBox:
        return {L"LISTBOX",
                focusable | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY |
                    LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE,
                {}};
    }
    throw std::logic_error("unknown control kind");
}

HWND parentWindow(const ChildControl& control) {
    if (control.kind() == ControlKind::Page)
        return static_cast<const Page&>(control).owner().native().window;
    if (Container* container = control.container()) return container->native().window;
    return control.form().native().window;
}

HWND createWindow(ChildControl& control, const WindowRecipe& recipe, const Rect& bounds) {
    const HWND window = CreateWindowExW(
        recipe.extendedStyle, recipe.className, widen(recipe.text).c_str(), WS_CHILD | recipe.style,
        bounds.left, bounds.top, bounds.width, bounds.height, parentWindow(control), nullptr,
        GetModuleHandleW(nullptr), nullptr);
    if (!window)
        throw std::runtime_error("Cannot create a control (error " +
                                 std::to_string(GetLastError()) + ")");
    SetPropW(window, kControlProperty, &control);
    return window;
}

void createRadioItems(RadioGroup& group, std::vector<HWND>& items) {
    for (std::size_t i = 0; i < group.items().size(); ++i) {
        const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
        items.push_back(createWindow(group,
                                     {L"BUTTON", BS_AUTORADIOBUTTON | first, 0, group.items()[i]},
                                     group.itemBounds(static_cast<int>(i))
                                         .offset({group.bounds().left, group.bounds().top})));
    }
}

void showFont(ChildControl& control, ChildControl::Native& native) {
    if (native.font.get() && native.fontShown == control.font() && native.fontDpi == displayDpi())
        return;
    win32::ScopedGdiObject font(win32::createFont(control.font().font, control.font().pixelHeight));
    SendMessageW(native.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    for (HWND item : native.items)
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    native.font = std::move(font); // the old font is out of use now
    native.fontShown = control.font();
    native.fontDpi = displayDpi();
}

void showRadioItems(const RadioGroup& group, const std::vector<HWND>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto index = static_cast<int>(i);
        place(items[i], group.itemBounds(index).offset({group.bounds().left, group.bounds().top}));
        SendMessageW(items[i], BM_SETCHECK,
                     index == group.selectedIndex() ? BST_CHECKED : BST_UNCHECKED, 0);
        ShowWindow(items[i], group.visible() ? SW_SHOWNA : SW_HIDE);
        EnableWindow(items[i], group.enabled());
    }
}

// The tabs follow the pages, and the pages the page area.
void showPages(PageControl& pages, HWND tabs) {
    const auto count = static_cast<int>(pages.pages().size());
    while (TabCtrl_GetItemCount(tabs) > count)
        TabCtrl_DeleteItem(tabs, TabCtrl_GetItemCount(tabs) - 1);
    for (int i = 0; i < count; ++i) {
        std::wstring caption = widen(pages.pages()[static_cast<std::size_t>(i)]->caption());
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        if (i < TabCtrl_GetItemCount(tabs))
            SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
        else
            SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
    }
    TabCtrl_SetCurSel(tabs, pages.activePageIndex());
    for (Page* page : pages.pages())
        if (!(page->bounds() == pages.pageArea())) page->setBounds(pages.pageArea());
}

// The list holds no data of its own, so it is told only how many rows there are; it adds or
// drops them one by one, each time updating its scroll bar unless redrawing is off.
void showRows(const ListBox& list, HWND window) {
    if (SendMessageW(window, LB_GETCOUNT, 0, 0) != list.rowCount()) {
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
        SendMessageW(window, LB_SETCOUNT, static_cast<WPARAM>(list.rowCount()), 0);
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    }
    SendMessageW(window, LB_SETITEMHEIGHT, 0, toPixels(list.rowHeight()));
    SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(list.selectedIndex()), 0);
    InvalidateRect(window, nullptr, TRUE);
}

// The arrows narrow their box and sit against its right edge; the state learns where.
void bindUpDown(UpDown& upDown, HWND window) {
    HWND parent = GetParent(window);
    SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(upDown.buddy().native().window), 0);
    upDown.buddy().setBounds(boundsIn(parent, upDown.buddy().native().window));
    upDown.setBounds(boundsIn(parent, window));
}

} // namespace

ChildControl::Native::~Native() {
    for (HWND item : items)
        forget(item);
    forget(window);
}

void ChildControl::DeleteNative::operator()(Native* native) const {
    delete native;
}

void ChildControl::attachNative() {
    native_.reset(new Native);
    const bool upDown = kind_ == ControlKind::UpDown;
    const Rect firstBounds =
        upDown ? Rect{bounds_.right(), bounds_.top, kUpDownWidth, bounds_.height} : bounds_;
    native_->window = createWindow(*this, recipeOf(*this), firstBounds);
    if (kind_ == ControlKind::RadioGroup)
        createRadioItems(static_cast<RadioGroup&>(*this), native_->items);
    if (upDown) bindUpDown(static_cast<UpDown&>(*this), native_->window);
    refresh();
}

void ChildControl::refresh() {
    if (!native_) return;
    const HWND window = native_->window;
    place(window, bounds_);
    ShowWindow(window, visible_ ? SW_SHOWNA : SW_HIDE);
    EnableWindow(window, enabled_);
    showFont(*this, *native_);
    switch (kind_) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(*this);
        setStyleBit(window, SS_LEFTNOWORDWRAP, !label.wordWrap());
        setWindowText(window, label.text());
        InvalidateRect(window, nullptr, TRUE);
        break;
    }
    case ControlKind::PushButton:
        SendMessageW(window, BM_SETSTYLE,
                     static_cast<const PushButton&>(*this).isDefault() ? BS_DEFPUSHBUTTON
                                                                       : BS_PUSHBUTTON,
                     TRUE);
        break;
    case ControlKind::CheckBox:
        SendMessageW(window, BM_SETCHECK,
                     static_cast<const CheckBox&>(*this).checked() ? BST_CHECKED : BST_UNCHECKED,
                     0);
        break;
    case ControlKind::RadioGroup:
        showRadioItems(static_cast<const RadioGroup&>(*this), native_->items);
        break;
    case ControlKind::EditBox: {
        const auto& box = static_cast<const EditBox&>(*this);
        setWindowText(window, box.text());
        SendMessageW(window, EM_SETREADONLY, box.readOnly(), 0);
        break;
    }
    case ControlKind::UpDown: {
        const auto& upDown = static_cast<const UpDown&>(*this);
        SendMessageW(window, UDM_SETRANGE32, static_cast<WPARAM>(upDown.min()), upDown.max());
        SendMessageW(window, UDM_SETPOS32, 0, upDown.position());
        break;
    }
    case ControlKind::PageControl:
        showPages(static_cast<PageControl&>(*this), window);
        break;
    case ControlKind::Page:
    case ControlKind::Panel:
        // What stands on it takes its colour too.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case ControlKind::ListBox:
        showRows(static_cast<const ListBox&>(*this), window);
        break;
    }
}

bool ChildControl::focused() const {
    const HWND focus = GetFocus();
    if (!focus || !native_) return false;
    return focus == native_->window ||
           std::find(native_->items.begin(), native_->items.end(), focus) != native_->items.end();
}

// A radio group's focus is on its selected item. The form gives the focus back to the same
// window whenever it is active again, which also covers a form not yet showing.
void ChildControl::setFocus() {
    if (!takesFocus() || !native_) return;
    HWND target = native_->window;
    if (kind_ == ControlKind::RadioGroup) {
        if (native_->items.empty()) return;
        const int selected = static_cast<const RadioGroup&>(*this).selectedIndex();
        target = native_->items[static_cast<std::size_t>(std::max(selected, 0))];
    }
    form_.native().lastFocus = target;
    if (IsWindowVisible(form_.native().window)) SetFocus(target);
}

// The box counts its text in UTF-16 units, the program in bytes of UTF-8.
namespace {

int wideOffset(const std::string& text, int offset) {
    const auto bytes = static_cast<std::size_t>(std::clamp(offset, 0, int(text.size())));
    return static_cast<int>(widen(std::string_view(text).substr(0, bytes)).size());
}

int byteOffset(const std::wstring& text, DWORD offset) {
    return static_cast<int>(win32::narrow(std::wstring_view(text).substr(0, offset)).size());
}

std::wstring wideText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

int EditBox::selectionStart() const {
    DWORD start = 0;
    SendMessageW(native().window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return byteOffset(wideText(native().window), start);
}

int EditBox::selectionLength() const {
    DWORD start = 0, end = 0;
    SendMessageW(native().window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::wstring text = wideText(native().window);
    return byteOffset(text, end) - byteOffset(text, start);
}

void EditBox::select(int start, int length) {
    const std::string text = win32::windowText(native().window);
    SendMessageW(native().window, EM_SETSEL, static_cast<WPARAM>(wideOffset(text, start)),
                 wideOffset(text, start + length));
}

Rect PageControl::pageArea() const {
    RECT area{};
    GetClientRect(native().window, &area);
    TabCtrl_AdjustRect(native().window, FALSE, &area);
    return toUnits(win32::pixelRectOf(area));
}

Rect ListBox::rowRect(int row) const {
    RECT r{};
    SendMessageW(native().window, LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&r));
    return toUnits(win32::pixelRectOf(r));
}

namespace win32 {

ChildControl* controlOfWindow(HWND window) {
    return window ? static_cast<ChildControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

std::string windowText(HWND window) {
    return narrow(wideText(window));
}

} // namespace win32
} // namespace platform
