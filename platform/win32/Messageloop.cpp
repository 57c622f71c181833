// The message loops: the program's own and a modal form's, which give keys for the standard
// controls to their form first and the idle work the gaps between messages.
#include "platform/Controls.h"
#include "platform/Loopnative.h"
#include "platform/System.h"
#include "platform/win32/Controlsnative.h"
#include "platform/win32/Formwindow.h"
#include "platform/win32/Handlecount.h"

#include <optional>

namespace platform {

using win32::keyboardState;
using win32::windowOf;

namespace {

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
    } else if (message.message == WM_CHAR && message.wParam < 0x80) {
        char key = static_cast<char>(message.wParam);
        if (FormEvents::keyPress(form, control, key)) return true;
        message.wParam = static_cast<unsigned char>(key);
    }
    return IsDialogMessageW(windowOf(form), &message) != FALSE;
}

// Dispatches messages while `goOn` holds. Messages first; the idle work only gets the gaps
// between them, and the loop sleeps in GetMessage once there is none left. Returns the exit
// code of WM_QUIT when that ends it.
template <class Condition> std::optional<int> dispatchWhile(Condition goOn) {
    MSG message;
    while (goOn()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (native::runIdleSlice()) continue;
            if (GetMessageW(&message, nullptr, 0, 0) == -1) break;
        }
        if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
        if (routeControlInput(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return std::nullopt;
}

// While a modal form shows, every other window of the program that took input does not.
BOOL CALLBACK disableForModal(HWND window, LPARAM modal) {
    auto& native = *reinterpret_cast<Form::Native*>(modal);
    if (window != native.window && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        native.disabledWhileModal.push_back(window);
    }
    return TRUE;
}

} // namespace

void native::dispatchUntilQuit() {
    win32::handles::startReportIfAsked();
    dispatchWhile([] { return true; });
    setIdleWork(nullptr);
}

void quitMessageLoop() {
    PostQuitMessage(0);
}

void Form::disableOtherWindows() {
    native_->activeBeforeModal = GetActiveWindow();
    EnumThreadWindows(GetCurrentThreadId(), disableForModal, reinterpret_cast<LPARAM>(&*native_));
}

void Form::enableOtherWindows() {
    for (HWND window : native_->disabledWhileModal)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    native_->disabledWhileModal.clear();
    const HWND active = native_->activeBeforeModal;
    if (active && IsWindowVisible(active)) SetActiveWindow(active);
}

void Form::runModalLoop() {
    SetForegroundWindow(native_->window);
    // The program is ending: the loop outside ends too.
    if (const auto exitCode = dispatchWhile([this] { return visible(); })) {
        hide();
        PostQuitMessage(*exitCode);
    }
}

void Timer::start() {
    SetTimer(windowOf(owner_), static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
}
void Timer::stop() {
    KillTimer(windowOf(owner_), static_cast<UINT_PTR>(id_));
}

} // namespace platform
