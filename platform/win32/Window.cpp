// Forms as real windows: one window class whose procedure finds the form object stored with the
// window at WM_NCCREATE and hands each message to the form's events, and the message loops that
// run them, which give keys for the standard controls to their form first.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Process.h"
#include "platform/System.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formnative.h"
#include "platform/win32/Gdi.h"

#include <commctrl.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
#include <windowsx.h>

namespace platform {

namespace win32 {
namespace {

LPCSTR systemCursor(Cursor cursor) {
    switch (cursor) {
    case Cursor::SizeAll:
        return IDC_SIZEALL;
    case Cursor::HandPoint:
        return IDC_HAND;
    case Cursor::NoDrop:
        return IDC_NO;
    case Cursor::Default:
    case Cursor::Arrow:
    case Cursor::Drag:
        break;
    }
    return IDC_ARROW;
}

} // namespace

// The drag shapes are the program's own resources; a program built without them (a test) gets
// the nearest system shape.
HCURSOR loadCursor(Cursor cursor) {
    const char* own = cursor == Cursor::Drag     ? "KESTRUM_DRAG"
                      : cursor == Cursor::NoDrop ? "KESTRUM_NODROP"
                                                 : nullptr;
    if (own)
        if (const HCURSOR loaded = LoadCursorA(GetModuleHandleA(nullptr), own)) return loaded;
    return LoadCursorA(nullptr, systemCursor(cursor));
}

} // namespace win32

namespace {

constexpr const char* kFormClass = "KestrumForm";
Form* mainForm = nullptr;

HWND windowOf(const Form& form) {
    return form.native().window;
}

ShiftState shiftState(WPARAM keys) {
    ShiftState shift;
    shift.leftButton = keys & MK_LBUTTON;
    shift.rightButton = keys & MK_RBUTTON;
    shift.middleButton = keys & MK_MBUTTON;
    shift.shift = keys & MK_SHIFT;
    shift.control = keys & MK_CONTROL;
    shift.alt = GetKeyState(VK_MENU) < 0;
    return shift;
}

ShiftState keyboardState() {
    ShiftState shift;
    shift.shift = GetKeyState(VK_SHIFT) < 0;
    shift.control = GetKeyState(VK_CONTROL) < 0;
    shift.alt = GetKeyState(VK_MENU) < 0;
    return shift;
}

MouseButton buttonOf(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

MouseEvent mouseEvent(UINT message, WPARAM keys, LPARAM position) {
    return {{GET_X_LPARAM(position), GET_Y_LPARAM(position)}, buttonOf(message), shiftState(keys)};
}

Point pointerInClient(const Form& form) {
    POINT pos{};
    GetCursorPos(&pos);
    ScreenToClient(windowOf(form), &pos);
    return {pos.x, pos.y};
}

// One tool per control that shows a hint, so the tip starts anew when the pointer passes from
// one control to the next; the text is asked for when the tip is about to show.
void updateToolTip(Form& form) {
    Form::Native& native = form.native();
    std::vector<Rect> areas = form.hintAreas();
    if (native.toolTip && areas == native.hintAreas) return;
    if (!native.toolTip)
        native.toolTip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, native.window,
                                         nullptr, GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = native.window;
    for (UINT_PTR id = 1; id <= native.hintAreas.size(); ++id) {
        tool.uId = id;
        SendMessageA(native.toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.uFlags = TTF_SUBCLASS;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    for (UINT_PTR id = 1; id <= areas.size(); ++id) {
        const Rect& area = areas[id - 1];
        tool.uId = id;
        tool.rect = {area.left, area.top, area.right(), area.bottom()};
        SendMessageA(native.toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    native.hintAreas = std::move(areas);
}

bool answerToolTip(Form& form, NMHDR& header) {
    Form::Native& native = form.native();
    if (header.code != TTN_GETDISPINFOA || header.hwndFrom != native.toolTip) return false;
    native.toolTipText = form.hintAt(pointerInClient(form));
    reinterpret_cast<NMTTDISPINFOA&>(header).lpszText = native.toolTipText.data();
    return true;
}

void paint(Form& form) {
    const win32::PaintDC target(windowOf(form));
    RECT client{};
    GetClientRect(windowOf(form), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    win32::GdiCanvas canvas(target.get());
    if (form.paintsWholeClient) {
        FormEvents::paint(form, canvas);
        return;
    }
    // Drawn off-screen first, so the window never shows a half-painted state.
    Bitmap buffer(client.right, client.bottom);
    FormEvents::paint(form, buffer.canvas());
    canvas.drawBitmap({0, 0}, buffer);
}

void setCursorShape(Form& form) {
    SetCursor(win32::loadCursor(form.cursorAt(pointerInClient(form))));
}

void hideHintTip(Form::Native& native) {
    if (!native.hintTip) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = native.window;
    SendMessageA(native.hintTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

// A tracking tip: it shows when told, where told, instead of after the pointer has rested.
HWND createHintTip(HWND owner) {
    const HWND tip = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

// Offset of a tip below the pointer's hot spot, as the system places its own tips.
constexpr int kHintBelowPointer = 20;

Size clientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void resized(Form& form) {
    const Size now = clientSizeOf(windowOf(form));
    if (now == form.native().clientSize) return;
    form.native().clientSize = now;
    FormEvents::resized(form);
}

// As a dialog box does, a form with controls keeps the keyboard focus on one of them: the one
// that had it last, else the first that can take it.
void restoreFocus(Form& form) {
    const HWND window = windowOf(form);
    const HWND last = form.native().lastFocus;
    if (last && IsWindow(last) && IsChild(window, last) && IsWindowVisible(last) &&
        IsWindowEnabled(last)) {
        SetFocus(last);
    } else if (ChildControl* first = form.nextTabStop(nullptr)) {
        first->setFocus();
    }
}

void rememberFocus(Form& form) {
    const HWND focus = GetFocus();
    if (focus && IsChild(windowOf(form), focus)) form.native().lastFocus = focus;
}

// Handles what a form reacts to; nullopt sends the message on to the default procedure.
std::optional<LRESULT> handle(Form& form, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint(form);
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting covers every pixel
    case WM_MOUSEMOVE:
        updateToolTip(form);
        FormEvents::mouseMove(form, mouseEvent(message, wParam, lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        FormEvents::doubleClick(form);
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(windowOf(form)); // moves keep coming while a button is held, also off the window
        FormEvents::mouseDown(form, mouseEvent(message, wParam, lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        FormEvents::mouseUp(form, mouseEvent(message, wParam, lParam));
        if (GetCapture() == windowOf(form)) ReleaseCapture();
        // The default procedure turns a right-button release into WM_CONTEXTMENU.
        if (message == WM_RBUTTONUP) return std::nullopt;
        return 0;
    case WM_CONTEXTMENU: {
        POINT pos{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        // (-1, -1) means the keyboard asked, and stays as it is.
        if (pos.x != -1 || pos.y != -1) ScreenToClient(windowOf(form), &pos);
        FormEvents::contextPopup(form, {pos.x, pos.y});
        return 0;
    }
    case WM_MOUSELEAVE:
        hideHintTip(form.native());
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != windowOf(form)) FormEvents::releaseCapture(form);
        return 0;
    case WM_KEYDOWN: {
        int key = static_cast<int>(wParam);
        FormEvents::keyDown(form, nullptr, key, keyboardState());
        return 0;
    }
    case WM_CHAR: {
        char key = static_cast<char>(wParam);
        FormEvents::keyPress(form, nullptr, key);
        return 0;
    }
    case WM_SIZE:
        resized(form);
        return 0;
    case WM_ACTIVATE:
        if (form.childControls().empty()) return std::nullopt;
        if (LOWORD(wParam) == WA_INACTIVE)
            rememberFocus(form);
        else
            restoreFocus(form);
        return 0;
    case WM_TIMER:
        FormEvents::timer(form, static_cast<int>(wParam));
        return 0;
    case WM_SETCURSOR:
        // Over a control, the control decides (a label may ask for its own shape).
        if (reinterpret_cast<HWND>(wParam) != windowOf(form))
            return win32::answerControl(message, wParam, lParam);
        if (LOWORD(lParam) != HTCLIENT) return std::nullopt;
        setCursorShape(form);
        return TRUE;
    case WM_NOTIFY:
        if (answerToolTip(form, *reinterpret_cast<NMHDR*>(lParam))) return 0;
        return win32::answerControl(message, wParam, lParam);
    case WM_HOTKEY:
        FormEvents::hotKey(form, static_cast<int>(wParam));
        return 0;
    case WM_QUERYENDSESSION:
        return FormEvents::queryEndSession(form) ? TRUE : FALSE;
    case WM_CLOSE:
        FormEvents::close(form);
        return 0;
    default:
        return win32::answerControl(message, wParam, lParam);
    }
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (form) {
            form->native().window = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
    }
    if (auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
        if (const auto result = handle(*form, message, wParam, lParam)) return *result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerFormClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = formProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

void applyStyleChange(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window that never shows, owner of the forms with a caption: an owned window gets no
// taskbar button, and the program shows none.
HWND captionedFormsOwner() {
    static const HWND owner =
        CreateWindowExA(WS_EX_TOOLWINDOW, kFormClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
    return owner;
}

// While a modal form shows, every other window of the program that took input does not.
class ModalDisabling {
public:
    explicit ModalDisabling(HWND modal) : modal_(modal) {
        EnumThreadWindows(GetCurrentThreadId(), &ModalDisabling::disable,
                          reinterpret_cast<LPARAM>(this));
    }
    ~ModalDisabling() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    ModalDisabling(const ModalDisabling&) = delete;
    ModalDisabling& operator=(const ModalDisabling&) = delete;

private:
    static BOOL CALLBACK disable(HWND window, LPARAM self) {
        auto& disabling = *reinterpret_cast<ModalDisabling*>(self);
        if (window != disabling.modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabling.disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND modal_;
    std::vector<HWND> disabled_;
};

// Keys for a standard control pass the form's key handling first (FormEvents::keyDown and
// keyPress); what is left is handled as in a dialog box, which moves the focus with Tab and
// the arrow keys and presses buttons by their access keys. Enter and Escape that no button
// took go straight to the control, to arrive there as typed characters. Returns whether the
// message has been dealt with.
bool routeControlInput(MSG& message) {
    ChildControl* control = win32::controlOfWindow(message.hwnd);
    if (!control) return false;
    Form& form = control->form();
    if (message.message == WM_KEYDOWN) {
        int key = static_cast<int>(message.wParam);
        if (FormEvents::keyDown(form, control, key, keyboardState())) return true;
        message.wParam = static_cast<WPARAM>(key);
        if (key == VK_RETURN || key == VK_ESCAPE) return false;
    } else if (message.message == WM_CHAR) {
        char key = static_cast<char>(message.wParam);
        if (FormEvents::keyPress(form, control, key)) return true;
        message.wParam = static_cast<unsigned char>(key);
    }
    return IsDialogMessageA(windowOf(form), &message) != FALSE;
}

} // namespace

Form::Form(FormKind kind) : kind_(kind), native_(std::make_unique<Native>()) {
    registerFormClass();
    const HWND owner = kind == FormKind::ToolPopup ? nullptr : captionedFormsOwner();
    if (!CreateWindowExA(extendedStyleOf(kind), kFormClass, "", windowStyleOf(kind), 0, 0, 10, 10,
                         owner, nullptr, GetModuleHandleA(nullptr), this))
        throw std::runtime_error("Cannot create a window (error " + std::to_string(GetLastError()) +
                                 ")");
    native_->clientSize = clientSizeOf(native_->window);
}

Form::~Form() {
    if (mainForm == this) mainForm = nullptr;
    // No message may reach the handlers of an object that is going away.
    SetWindowLongPtrA(native_->window, GWLP_USERDATA, 0);
    DestroyWindow(native_->window);
}

Rect Form::bounds() const {
    RECT r{};
    GetWindowRect(native_->window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Form::setBounds(const Rect& b) {
    SetWindowPos(native_->window, nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setLeft(int left) {
    SetWindowPos(native_->window, nullptr, left, top(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setTop(int top) {
    SetWindowPos(native_->window, nullptr, left(), top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Size Form::clientSize() const {
    return clientSizeOf(native_->window);
}

void Form::setClientSize(Size size) {
    RECT frame{0, 0, size.width, size.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(windowStyle()), FALSE,
                       static_cast<DWORD>(extendedStyle()));
    SetWindowPos(native_->window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Form::caption() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(native_->window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(native_->window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::setCaption(const std::string& caption) {
    SetWindowTextA(native_->window, caption.c_str());
}

bool Form::visible() const {
    return IsWindowVisible(native_->window) != FALSE;
}

bool Form::enabled() const {
    return IsWindowEnabled(native_->window) != FALSE;
}

ChildControl* Form::focusedControl() const {
    ChildControl* control = win32::controlOfWindow(GetFocus());
    return control && &control->form() == this ? control : nullptr;
}

void Form::show() {
    if (visible()) return;
    ShowWindow(native_->window, SW_SHOW);
    FormEvents::shown(*this, true);
}

void Form::hide() {
    if (!visible()) return;
    hideHintTip(*native_);
    ShowWindow(native_->window, SW_HIDE);
    FormEvents::shown(*this, false);
}

void Form::showTopmost() {
    const bool wasVisible = visible();
    const Rect b = bounds();
    SetWindowPos(native_->window, HWND_TOPMOST, b.left, b.top, b.width, b.height, SWP_SHOWWINDOW);
    if (!wasVisible && visible()) FormEvents::shown(*this, true);
}

bool Form::isForeground() const {
    return GetForegroundWindow() == native_->window;
}

void Form::bringToForeground() {
    SetForegroundWindow(native_->window);
}

void Form::setColor(Color color) {
    color_ = color;
    // The controls stand on the form's colour too.
    RedrawWindow(native_->window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::uint32_t Form::windowStyle() const {
    return static_cast<std::uint32_t>(GetWindowLongA(native_->window, GWL_STYLE));
}

void Form::setWindowStyle(std::uint32_t style) {
    SetWindowLongA(native_->window, GWL_STYLE, static_cast<LONG>(style));
    applyStyleChange(native_->window);
}

std::uint32_t Form::extendedStyle() const {
    return static_cast<std::uint32_t>(GetWindowLongA(native_->window, GWL_EXSTYLE));
}

void Form::setExtendedStyle(std::uint32_t style) {
    SetWindowLongA(native_->window, GWL_EXSTYLE, static_cast<LONG>(style));
    applyStyleChange(native_->window);
}

void Form::invalidate() {
    InvalidateRect(native_->window, nullptr, FALSE);
}
void Form::close() {
    SendMessageA(native_->window, WM_CLOSE, 0, 0);
}

// A form that paints every pixel itself is painted straight onto its window, clipped to the
// area; any other goes through the ordinary paint message, sent at once, whose paint context
// is clipped to what is invalid.
void Form::repaintNow(const Rect& area) {
    if (!paintsWholeClient) {
        const RECT r{area.left, area.top, area.right(), area.bottom()};
        InvalidateRect(native_->window, &r, FALSE);
        UpdateWindow(native_->window);
        return;
    }
    const win32::WindowDC dc(native_->window);
    win32::GdiCanvas canvas(dc.get());
    canvas.setClip(area);
    FormEvents::paint(*this, canvas);
}

void Form::drawOnWindow(const std::function<void(Canvas&)>& draw) {
    const win32::WindowDC dc(native_->window);
    win32::GdiCanvas canvas(dc.get());
    draw(canvas);
}

void Form::showHintNow(const std::string& text) {
    Native& native = *native_;
    if (text.empty()) {
        hideHintTip(native);
        return;
    }
    if (!native.hintTip) native.hintTip = createHintTip(native.window);
    native.hintText = text;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = native.window;
    tool.lpszText = native.hintText.data();
    SendMessageA(native.hintTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    POINT pos{};
    GetCursorPos(&pos);
    SendMessageA(native.hintTip, TTM_TRACKPOSITION, 0,
                 MAKELPARAM(pos.x, pos.y + kHintBelowPointer));
    // A tip already showing only moves and takes the new text: showing it anew costs more.
    if (!IsWindowVisible(native.hintTip))
        SendMessageA(native.hintTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    // The tip goes when the pointer leaves the form, which no mouse move would tell.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, native.window, 0};
    TrackMouseEvent(&leave);
}

// WM_SETCURSOR does not come while the mouse is captured, so the shape is set here as well.
void Form::setCursorNow(Cursor shape) {
    cursor = shape;
    SetCursor(win32::loadCursor(shape));
}
void Form::postClose() {
    PostMessageA(native_->window, WM_CLOSE, 0, 0);
}

void Timer::start() {
    SetTimer(windowOf(owner_), static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
}
void Timer::stop() {
    KillTimer(windowOf(owner_), static_cast<UINT_PTR>(id_));
}

std::optional<Point> cursorPos() {
    POINT pos{};
    if (!GetCursorPos(&pos)) return std::nullopt;
    return Point{pos.x, pos.y};
}

int screenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int screenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

std::string applicationTitle() {
    const std::string path = executablePath();
    const std::string name = path.substr(path.rfind('\\') + 1);
    return name.substr(0, name.find('.'));
}

int messageBox(const Form* owner, const std::string& text, const std::string& caption,
               unsigned style) {
    return MessageBoxA(owner ? windowOf(*owner) : nullptr, text.c_str(), caption.c_str(), style);
}

void showErrorBox(const std::string& message) {
    messageBox(nullptr, message, applicationTitle(),
               MessageBoxStyle::IconError | MessageBoxStyle::Ok);
}

SingleInstance::SingleInstance(const std::string& name)
    : handle_(CreateMutexA(nullptr, FALSE, name.c_str())),
      acquired_(handle_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS) {}

SingleInstance::~SingleInstance() {
    if (handle_) CloseHandle(handle_);
}

namespace {
BOOL CALLBACK collectTopmost(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
} // namespace

// Raised from the bottom one up, so that each ends above those raised before it, as it was.
void raiseTopmostWindows() {
    std::vector<HWND> topmost; // from the top down
    EnumThreadWindows(GetCurrentThreadId(), collectTopmost, reinterpret_cast<LPARAM>(&topmost));
    for (auto window = topmost.rbegin(); window != topmost.rend(); ++window)
        SetWindowPos(*window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void initCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                    ICC_TAB_CLASSES;
    InitCommonControlsEx(&classes);
}

namespace {
std::function<bool()> idleWork;

// Runs one slice of the idle work; false when there is none (left).
bool runIdleSlice() {
    if (!idleWork) return false;
    // The slice may replace the work while it runs, so it is called from a copy.
    const std::function<bool()> slice = idleWork;
    if (!slice()) idleWork = nullptr;
    return true;
}

// Dispatches messages while `goOn` holds. Messages first; the idle work only gets the gaps
// between them, and the loop sleeps in GetMessage once there is none left. Returns the exit
// code of WM_QUIT when that ends it.
template <class Condition> std::optional<int> dispatchWhile(Condition goOn) {
    MSG message;
    while (goOn()) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (runIdleSlice()) continue;
            if (GetMessageA(&message, nullptr, 0, 0) == -1) break;
        }
        if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
        if (routeControlInput(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return std::nullopt;
}
} // namespace

void setIdleWork(std::function<bool()> slice) {
    idleWork = std::move(slice);
}

void runMessageLoop(Form& form) {
    mainForm = &form;
    win32::handles::startReportIfAsked();
    form.show();
    dispatchWhile([] { return true; });
    idleWork = nullptr;
}

void Form::showModal() {
    if (visible()) throw std::logic_error("A form already showing cannot be shown modally");
    const HWND active = GetActiveWindow();
    {
        const ModalDisabling others(native_->window);
        FormEvents::modal(*this, true);
        show();
        SetForegroundWindow(native_->window);
        // The program is ending: the loop outside ends too.
        if (const auto exitCode = dispatchWhile([this] { return visible(); })) {
            hide();
            PostQuitMessage(*exitCode);
        }
        FormEvents::modal(*this, false);
    }
    if (active && IsWindowVisible(active)) SetActiveWindow(active);
}

bool isMainForm(const Form& form) {
    return mainForm == &form;
}
void quitMessageLoop() {
    PostQuitMessage(0);
}

} // namespace platform
