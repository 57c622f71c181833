// The window class of the forms: its procedure finds the form object stored with the window at
// WM_NCCREATE and hands each message to the form's events.
#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Loopnative.h"
#include "platform/System.h"
#include "platform/win32/Accessiblewindow.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Gdi.h"

#include <optional>
#include <string_view>
#include <vector>
#include <windowsx.h>

namespace platform::win32 {
namespace {

LPCWSTR systemCursor(Cursor cursor) {
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
    const wchar_t* own = cursor == Cursor::Drag     ? L"KESTRUM_DRAG"
                         : cursor == Cursor::NoDrop ? L"KESTRUM_NODROP"
                                                    : nullptr;
    if (own)
        if (const HCURSOR loaded = LoadCursorW(GetModuleHandleW(nullptr), own)) return loaded;
    return LoadCursorW(nullptr, systemCursor(cursor));
}

namespace {

constexpr const wchar_t* kFormClass = L"KestrumForm";

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
    return {toUnits(PixelPoint{GET_X_LPARAM(position), GET_Y_LPARAM(position)}), buttonOf(message),
            shiftState(keys)};
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
    const Rect area = toUnitsCovering(pixelRectOf(client));
    Bitmap buffer(area.width, area.height);
    FormEvents::paint(form, buffer.canvas());
    canvas.drawBitmap({0, 0}, buffer);
}

void setCursorShape(Form& form) {
    SetCursor(win32::loadCursor(form.cursorAt(pointerInClient(form))));
}

void resized(Form& form) {
    const PixelSize now = clientSizeOf(windowOf(form));
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

// The menu key and Shift+F10 ask for the context menu from the keyboard. They are answered at
// the press, and their release is kept from the default procedure, which would ask a second
// time (or, for F10, open the window menu).
bool isContextMenuKey(WPARAM key) {
    return key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0);
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
    case WM_MOUSEWHEEL: {
        const PixelPoint screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        FormEvents::mouseWheel(form,
                               {clientUnitsOf(windowOf(form), screen), MouseButton::Left,
                                shiftState(GET_KEYSTATE_WPARAM(wParam))},
                               GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    }
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
        const PixelPoint pos{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        // (-1, -1) means the keyboard asked, and stays as it is.
        if (pos.x == -1 && pos.y == -1) {
            FormEvents::contextPopup(form, {-1, -1});
            return 0;
        }
        FormEvents::contextPopup(form, clientUnitsOf(windowOf(form), pos));
        return 0;
    }
    case WM_MOUSELEAVE:
        hideHintTip(form.native());
        FormEvents::mouseLeave(form);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != windowOf(form)) FormEvents::releaseCapture(form);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (isContextMenuKey(wParam)) {
            FormEvents::contextPopup(form, {-1, -1});
            return 0;
        }
        if (message == WM_SYSKEYDOWN) return std::nullopt;
        int key = static_cast<int>(wParam);
        FormEvents::keyDown(form, nullptr, key, keyboardState());
        return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (isContextMenuKey(wParam)) return 0;
        return std::nullopt;
    case WM_GETOBJECT:
        return win32::answerAccessible(windowOf(form), wParam, lParam);
    case WM_CHAR: {
        if (wParam >= 0x80) return std::nullopt;
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
        // While a modal form disables this one, only this message tells of the pointer's moves.
        if (LOWORD(lParam) == static_cast<WORD>(HTERROR) && HIWORD(lParam) == WM_MOUSEMOVE)
            FormEvents::mouseOver(form);
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
    case WM_DPICHANGED:
        scaleChanged(form, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        FormEvents::screenChanged(form);
        return std::nullopt;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA) FormEvents::screenChanged(form);
        return std::nullopt;
    case WM_ACTIVATEAPP:
        // Every window of the program is told; one of them answers.
        if (!wParam && isMainForm(form)) programDeactivated();
        return std::nullopt;
    default:
        return win32::answerControl(message, wParam, lParam);
    }
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (form) {
            form->native().window = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
    }
    if (auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        if (const auto result = handle(*form, message, wParam, lParam)) return *result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The scale the system gives the program's windows at start: the primary monitor's for a
// program aware of each monitor's scale, 96 for one that declares no awareness.
int startingDpi() {
    using DpiQuery = UINT(WINAPI*)();
    // Windows 10 1607 and later; before, the screen's resolution says the same.
    if (const FARPROC query = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem"))
        return static_cast<int>(reinterpret_cast<DpiQuery>(reinterpret_cast<void*>(query))());
    const WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSX);
}

void registerFormClass() {
    static const bool registered = [] {
        setDisplayDpi(startingDpi());
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = formProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

// A window that never shows, owner of the forms with a caption: an owned window gets no
// taskbar button, and the program shows none.
HWND captionedFormsOwner() {
    static const HWND owner =
        CreateWindowExW(WS_EX_TOOLWINDOW, kFormClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
    return owner;
}

BOOL CALLBACK collectForm(HWND window, LPARAM forms) {
    wchar_t className[32] = L"";
    GetClassNameW(window, className, 32);
    if (std::wstring_view(className) != kFormClass) return TRUE;
    if (auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        reinterpret_cast<std::vector<Form*>*>(forms)->push_back(form);
    return TRUE;
}

} // namespace

ShiftState keyboardState() {
    ShiftState shift;
    shift.shift = GetKeyState(VK_SHIFT) < 0;
    shift.control = GetKeyState(VK_CONTROL) < 0;
    shift.alt = GetKeyState(VK_MENU) < 0;
    return shift;
}

Point pointerInClient(const Form& form) {
    POINT pos{};
    GetCursorPos(&pos);
    return clientUnitsOf(windowOf(form), pixelPointOf(pos));
}

PixelPoint clientOriginOf(HWND window) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return pixelPointOf(origin);
}

PixelPoint screenPixelsOf(HWND window, Point client) {
    const PixelPoint origin = clientOriginOf(window);
    const PixelPoint pixels = toPixels(client);
    return {origin.x + pixels.x, origin.y + pixels.y};
}

PixelRect screenPixelsOf(HWND window, const Rect& client) {
    return toPixels(client).offset(clientOriginOf(window));
}

Point clientUnitsOf(HWND window, PixelPoint screen) {
    const PixelPoint origin = clientOriginOf(window);
    return toUnits(PixelPoint{screen.x - origin.x, screen.y - origin.y});
}

PixelSize clientSizeOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

HWND createFormWindow(Form& form, FormKind kind) {
    registerFormClass();
    const HWND owner = kind == FormKind::ToolPopup ? nullptr : captionedFormsOwner();
    return CreateWindowExW(static_cast<DWORD>(Form::extendedStyleOf(kind)), kFormClass, L"",
                           static_cast<DWORD>(Form::windowStyleOf(kind)), 0, 0, 10, 10, owner,
                           nullptr, GetModuleHandleW(nullptr), &form);
}

} // namespace platform::win32

std::vector<platform::Form*> platform::native::liveForms() {
    std::vector<Form*> forms;
    EnumThreadWindows(GetCurrentThreadId(), win32::collectForm, reinterpret_cast<LPARAM>(&forms));
    return forms;
}
