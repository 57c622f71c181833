#pragma once
// A top-level window of the program, created hidden: a borderless pop-up tool window, a dialog
// or a sizeable captioned window (FormKind), none with a taskbar button. Derived forms override
// the handlers named after the events they react to; the backend turns the system's messages
// into those calls, routes mouse events to the windowless controls (Control.h), hands keys
// typed in the standard controls (Controls.h) to the form before the control sees them, and
// shows any exception a handler throws in the standard error box, after which the program goes
// on.
//
// Forms are made with createForm<T>(...), which runs FormCreate once the object is complete.

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Input.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform {

class ChildControl;
class Control;
class PushButton;
class Timer;

// Style bits as GetWindowLongW reports them.
namespace WindowStyle {
constexpr std::uint32_t Popup = 0x80000000u;
constexpr std::uint32_t ClipChildren = 0x02000000u;
constexpr std::uint32_t Caption = 0x00C00000u;
constexpr std::uint32_t SystemMenu = 0x00080000u;
constexpr std::uint32_t SizingBorder = 0x00040000u;
constexpr std::uint32_t MinimizeBox = 0x00020000u;
constexpr std::uint32_t MaximizeBox = 0x00010000u;
} // namespace WindowStyle
namespace ExtendedStyle {
constexpr std::uint32_t DialogFrame = 0x00000001u;
constexpr std::uint32_t Topmost = 0x00000008u;
constexpr std::uint32_t ToolWindow = 0x00000080u;
constexpr std::uint32_t ControlParent = 0x00010000u;
constexpr std::uint32_t AppWindow = 0x00040000u;
} // namespace ExtendedStyle

enum class FormKind {
    ToolPopup, // borderless: the bar and its button
    Dialog,    // caption and a fixed border; Enter and Escape work its buttons
    Sizeable,  // caption and a border the user can drag
};

class Form {
public:
    // Throws std::runtime_error when the system cannot make the window.
    explicit Form(FormKind kind = FormKind::ToolPopup);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    FormKind kind() const { return kind_; }

    // Place and size on the screen, frame included (a tool pop-up has none).
    Rect bounds() const;
    int left() const { return bounds().left; }
    int top() const { return bounds().top; }
    int width() const { return bounds().width; }
    int height() const { return bounds().height; }
    void setBounds(const Rect& bounds);
    // Its top-left corner at the bottom-left corner of `above`, `size` big, moved left as far as
    // it takes to end within the work area of the monitor that holds that corner, though never to
    // start before that area (a form wider than it keeps its left part on the screen), and no
    // taller than the area below that corner. The backend does this in the display's own figures,
    // so that at any scale the form lines up with `above` to the pixel and one moved against an
    // edge ends exactly there.
    void hangBelow(const Form& above, Size size);
    void setLeft(int left);
    void setTop(int top);
    // Moves the form sideways so that column `grabX` of its client area is under the pointer:
    // how a form dragged by that column follows the pointer. The backend works in the display's
    // own figures, so that the form keeps to the pointer at any scale however long the drag.
    void followPointerSideways(int grabX);
    // The area inside the frame, where the form paints and its controls lie. A new size keeps
    // the top-left corner of the frame where it is.
    Size clientSize() const;
    void setClientSize(Size size);
    // Puts the middle of the form on the middle of the screen.
    void centreOnScreen();

    // The title in the caption bar of a dialog or sizeable form.
    std::string caption() const;
    void setCaption(const std::string& caption);

    bool visible() const;
    void show();
    void hide();
    // Shows the form above every window that is not topmost itself, at its current bounds.
    void showTopmost();
    // Whether the form is the window the user works in now, of any program.
    bool isForeground() const;
    // Makes the shown form that window, with the keyboard.
    void bringToForeground();
    // Shows the hidden form and returns once it has closed (hidden again); meanwhile the
    // program's other windows take no input. The keyboard focus starts on the first control
    // that takes it, unless FormShow puts it elsewhere.
    void showModal();
    bool showingModal() const { return showingModal_; }
    // False while a modal form of the program other than this one is showing.
    bool enabled() const;
    // The control that has the keyboard focus when the form is active, or none.
    ChildControl* focusedControl() const;
    // The standard controls on the form, its pages and panels, in tab order.
    const std::vector<ChildControl*>& childControls() const { return childControls_; }
    // The control the tab key moves the focus to from `from` (from none: the first), among
    // those that can take it now; none when no control can.
    ChildControl* nextTabStop(const ChildControl* from, bool backwards = false) const;

    Color color() const { return color_; }
    void setColor(Color color);
    // The font controls take over from their form.
    Font font;
    // The pointer shape over the form where no control asks for another.
    Cursor cursor = Cursor::Default;

    // The style bits a form of `kind` is made with.
    static std::uint32_t windowStyleOf(FormKind kind);
    static std::uint32_t extendedStyleOf(FormKind kind);
    std::uint32_t windowStyle() const;
    void setWindowStyle(std::uint32_t style);
    std::uint32_t extendedStyle() const;
    void setExtendedStyle(std::uint32_t style);

    void invalidate();
    // Paints `area` (client coordinates) at once, before this call returns, instead of waiting
    // for the next paint message; drawing reaches only that area.
    void repaintNow(const Rect& area);
    // Moves what the window shows within `area` (client coordinates) `dy` down (up when
    // negative) and leaves the strip uncovered to be painted, so that a scroll paints only what
    // comes into view. The system paints it with the next paint message; the headless screen
    // paints it at once. At a display scale where `dy` is no whole number of pixels the whole
    // area is painted anew.
    void scrollArea(const Rect& area, int dy);
    // Draws straight onto the window as it is on the screen, outside any painting (for a
    // picture that follows the pointer); the next repaint of the area covers it again.
    void drawOnWindow(const std::function<void(Canvas&)>& draw);
    // Whether FormPaint covers every pixel of what it is asked to paint: the form is then
    // neither filled with its colour first nor drawn through an intermediate picture, since it
    // keeps off-screen pictures of its own. The canvas's clipBounds() tells what is asked for.
    bool paintsWholeClient = false;

    // Shows `text` as a tool tip at the pointer at once, for an area that is not a control;
    // an empty text takes it away. It also goes when the pointer leaves the form or the form
    // hides.
    void showHintNow(const std::string& text);
    // The same, below `at` (client coordinates) instead of the pointer: for an area the keyboard
    // chose.
    void showHintAt(const std::string& text, Point at);
    // Changes the pointer shape over the form at once, also while a button is held.
    void setCursorNow(Cursor shape);
    // Asks the system to say (FormMouseLeave) once the pointer has left the form, at once when
    // it is not over the form now. One request is answered once.
    void trackMouseLeave();
    // As if the user closed the form: FormClose runs, then the main form ends the message loop
    // and any other one hides, which ends its modal show.
    void close();
    // Queues a close, so that it happens after the current message has been handled.
    void postClose();

    // The control under `pos` (client coordinates), the last one added winning, or none.
    Control* controlAt(Point pos) const;
    Cursor cursorAt(Point pos) const;
    // The hint of the control under `pos` if it shows one, else empty.
    std::string hintAt(Point pos) const;
    // Where the controls that show hints lie, in the order they were added.
    std::vector<Rect> hintAreas() const;

    struct Native; // per backend
    Native& native() const { return *native_; }

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    virtual void FormPaint(Canvas&) {}
    virtual void FormMouseDown(const MouseEvent&) {}
    virtual void FormMouseMove(const MouseEvent&) {}
    virtual void FormMouseUp(const MouseEvent&) {}
    // The pointer moved over the form, whatever lies under it; before the move is handed on to
    // a control or to FormMouseMove.
    virtual void FormMouseOver() {}
    // The pointer has left the form (see trackMouseLeave).
    virtual void FormMouseLeave() {}
    // The wheel turned with the pointer at `event.pos`: `delta` in 120ths of a notch, positive
    // when turned away from the user.
    virtual void FormMouseWheel(const MouseEvent& /*event*/, int /*delta*/) {}
    // Before FormMouseUp of the same button release.
    virtual void FormClick() {}
    virtual void FormDblClick() {}
    // The user asked for a context menu: `pos` in client coordinates, or (-1, -1) when it came
    // from the keyboard (the menu key, or Shift+F10).
    virtual void FormContextPopup(Point /*pos*/) {}
    // A key pressed while the form or one of its controls has the focus, before the control
    // gets it; swallowKey keeps it from the control.
    virtual void FormKeyDown(int /*key*/, ShiftState) {}
    // A character typed while the form or one of its controls has the focus, before the control
    // gets it; setting `key` to 0 keeps it from the control. Only ASCII characters come here
    // (Enter and Escape among them): the others go straight to the control.
    virtual void FormKeyPress(char& /*key*/) {}
    virtual void FormResize() {}
    // The form is closing, by close() or by the user; it hides after this.
    virtual void FormClose() {}
    // A hot key held for the form was pressed (Hotkey.h), whatever program was active.
    virtual void FormHotKey(int /*id*/) {}
    // The display's scale has changed (Dpi.h): the form keeps its place on the screen and its
    // size in units, its controls theirs; what it has drawn or measured at the old scale is out
    // of date. By default it is painted again.
    virtual void FormDpiChanged() { invalidate(); }
    // The screen's size or its work area has changed (the system tells every form).
    virtual void FormScreenChanged() {}

    // From FormKeyDown: the key goes no further.
    void swallowKey() { keySwallowed_ = true; }
    // Windows asks whether the session may end; the answer goes back to it.
    virtual bool FormQueryEndSession() { return true; }

private:
    friend class FormEvents;
    friend class ChildControl;
    friend class Control;
    friend class Timer;

    // Per backend, under the shared rules of show, hide and showModal: the window itself
    // appears or goes; the program's other windows take input or not; the modal loop runs
    // until the form hides.
    void showWindow();
    void hideWindow();
    void disableOtherWindows();
    void enableOtherWindows();
    void runModalLoop();
    class OtherWindowsDisabled;

    // Enter presses the button that has the focus, else the default button.
    PushButton* enterButton(ChildControl* focused) const;
    PushButton* cancelButton() const;

    FormKind kind_;
    std::vector<Control*> controls_;
    std::vector<ChildControl*> childControls_; // in tab order
    bool keySwallowed_ = false;
    bool showingModal_ = false;
    std::vector<Timer*> timers_;
    int lastTimerId_ = 0;
    Control* captured_ = nullptr;           // the control that got the button press
    bool pressedOnForm_ = false;            // the press landed on the form itself
    Color color_ = Colors::SystemBase + 15; // the system's COLOR_BTNFACE
    std::unique_ptr<Native> native_;
};

// A periodic timer of a form, delivered on the GUI thread; it runs from creation until it is
// destroyed or disabled.
class Timer {
public:
    Timer(Form& owner, int intervalMs, std::function<void()> onTimer);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    Form& owner() const { return owner_; }
    int id() const { return id_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

private:
    friend class FormEvents;
    void start(); // per backend
    void stop();  // per backend

    Form& owner_;
    int id_;
    int interval_;
    bool enabled_ = false;
    std::function<void()> onTimer_;
};

// Where the backends hand the system's events to a form. Every call that runs handlers shows
// an exception in the standard error box instead of letting it out.
class FormEvents {
public:
    static void created(Form& form) { form.FormCreate(); }
    static void shown(Form& form, bool visible);
    static void paint(Form& form, Canvas& canvas);
    static void mouseDown(Form& form, const MouseEvent& event);
    static void mouseMove(Form& form, const MouseEvent& event);
    static void mouseUp(Form& form, const MouseEvent& event);
    static void mouseLeave(Form& form);
    // The pointer moved over the form while it takes no input (FormMouseOver alone).
    static void mouseOver(Form& form);
    static void doubleClick(Form& form);
    static void contextPopup(Form& form, Point pos);
    static void mouseWheel(Form& form, const MouseEvent& event, int delta);
    // A key pressed while `focused` (a control of the form, or none: the form itself) has the
    // keyboard: the form's handler first, then the control's, then Enter presses the default
    // or focused button and Escape the cancel button, which also closes the form. Returns
    // whether the key was used up; otherwise the control acts on `key`, which the handlers may
    // have changed.
    static bool keyDown(Form& form, ChildControl* focused, int& key, ShiftState shift);
    // The same for a typed character.
    static bool keyPress(Form& form, ChildControl* focused, char& key);
    static void resized(Form& form);
    static void timer(Form& form, int timerId);
    static void hotKey(Form& form, int id);
    static bool queryEndSession(Form& form);
    // The display's scale has changed and the backend has placed the form and its controls
    // again (FormDpiChanged).
    static void dpiChanged(Form& form);
    static void screenChanged(Form& form);
    static void close(Form& form);
    // The modal show begins or ends.
    static void modal(Form& form, bool showing) { form.showingModal_ = showing; }
    // The press is over: a captured control gets no more events (also when capture is lost).
    static void releaseCapture(Form& form);

private:
    // Who gets a mouse event at `pos`: the pressed control, none (the form) while a press on the
    // form lasts, else the control under the pointer.
    static Control* pointerOwner(const Form& form, Point pos);
};

template <class F, class... Args> std::unique_ptr<F> createForm(Args&&... args) {
    auto form = std::make_unique<F>(std::forward<Args>(args)...);
    FormEvents::created(*form);
    return form;
}

} // namespace platform
