// The backend-independent half of the windowing layer: controls, timers, and the routing of a
// form's events to its handlers and controls.
#include "platform/Form.h"

#include "platform/Control.h"
#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Guarded.h"
#include "platform/Loopnative.h"
#include "platform/System.h"

#include <algorithm>
#include <stdexcept>

namespace platform {
namespace {

MouseEvent relativeTo(const Control& control, MouseEvent event) {
    event.pos.x -= control.bounds().left;
    event.pos.y -= control.bounds().top;
    return event;
}

template <class T> void eraseFrom(std::vector<T*>& items, const T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

} // namespace

Control::Control(Form& parent) : parent_(parent) {
    parent_.controls_.push_back(this);
}

Control::~Control() {
    eraseFrom(parent_.controls_, this);
    if (parent_.captured_ == this) parent_.captured_ = nullptr;
}

void Control::setBounds(const Rect& bounds) {
    bounds_ = bounds;
    invalidate();
}

void Control::invalidate() {
    parent_.invalidate();
}

void Control::Paint(Canvas&) {}
void Control::MouseDown(const MouseEvent&) {}

void Control::MouseMove(const MouseEvent& event) {
    if (onMouseMove) onMouseMove(event);
}

void Control::MouseUp(const MouseEvent& event) {
    if (onMouseUp) onMouseUp(event);
}

void Control::Click() {
    if (onClick) onClick();
}

void drawFrame(Canvas& canvas, const Rect& rect, Color topLeft, Color bottomRight) {
    const int right = rect.right() - 1;
    const int bottom = rect.bottom() - 1;
    canvas.pen = {topLeft, 1, PenStyle::Solid};
    canvas.line({rect.left, bottom}, {rect.left, rect.top - 1});
    canvas.line({rect.left, rect.top}, {right + 1, rect.top});
    canvas.pen.color = bottomRight;
    canvas.line({right, rect.top + 1}, {right, bottom + 1});
    canvas.line({rect.left + 1, bottom}, {right, bottom});
}

void Panel::Paint(Canvas& canvas) {
    const Rect area{0, 0, bounds().width, bounds().height};
    canvas.brush = {parent().color(), BrushStyle::Solid};
    canvas.fillRect(area);
    drawFrame(canvas, area, Colors::White, Colors::ButtonShadow);
}

// For as long as a modal show lasts, also when it ends by an exception.
class Form::OtherWindowsDisabled {
public:
    explicit OtherWindowsDisabled(Form& modal) : modal_(modal) { modal_.disableOtherWindows(); }
    ~OtherWindowsDisabled() { modal_.enableOtherWindows(); }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

private:
    Form& modal_;
};

void Form::show() {
    if (visible()) return;
    showWindow();
    FormEvents::shown(*this, true);
}

void Form::hide() {
    if (!visible()) return;
    hideWindow();
    FormEvents::shown(*this, false);
}

void Form::showModal() {
    if (visible()) throw std::logic_error("A form already showing cannot be shown modally");
    const OtherWindowsDisabled others(*this);
    FormEvents::modal(*this, true);
    show();
    runModalLoop();
    FormEvents::modal(*this, false);
}

Control* Form::controlAt(Point pos) const {
    const auto hit =
        std::find_if(controls_.rbegin(), controls_.rend(),
                     [pos](const Control* control) { return control->bounds().contains(pos); });
    return hit == controls_.rend() ? nullptr : *hit;
}

Cursor Form::cursorAt(Point pos) const {
    const Control* control = controlAt(pos);
    return control && control->cursor != Cursor::Default ? control->cursor : cursor;
}

std::string Form::hintAt(Point pos) const {
    const Control* control = controlAt(pos);
    return control && control->showHint ? control->hint : std::string();
}

void Form::centreOnScreen() {
    const Rect frame = bounds();
    setBounds({(screenWidth() - frame.width) / 2, (screenHeight() - frame.height) / 2, frame.width,
               frame.height});
}

std::uint32_t Form::windowStyleOf(FormKind kind) {
    namespace Style = WindowStyle;
    switch (kind) {
    case FormKind::Dialog:
        return Style::Popup | Style::Caption | Style::SystemMenu | Style::ClipChildren;
    case FormKind::Sizeable:
        return Style::Caption | Style::SystemMenu | Style::SizingBorder | Style::MinimizeBox |
               Style::MaximizeBox | Style::ClipChildren;
    case FormKind::ToolPopup:
        break;
    }
    return WindowStyle::Popup;
}

// Forms with a caption let the tab key into their pages and panels.
std::uint32_t Form::extendedStyleOf(FormKind kind) {
    switch (kind) {
    case FormKind::Dialog:
        return ExtendedStyle::DialogFrame | ExtendedStyle::ControlParent;
    case FormKind::Sizeable:
        return ExtendedStyle::ControlParent;
    case FormKind::ToolPopup:
        break;
    }
    return ExtendedStyle::ToolWindow;
}

ChildControl* Form::nextTabStop(const ChildControl* from, bool backwards) const {
    const auto count = static_cast<std::ptrdiff_t>(childControls_.size());
    const auto found = std::find(childControls_.begin(), childControls_.end(), from);
    // Without a control to start from, the search starts just outside the list.
    const std::ptrdiff_t start = found != childControls_.end() ? found - childControls_.begin()
                                 : backwards                   ? count
                                                               : -1;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t at = (start + (backwards ? -step : step) + count) % count;
        ChildControl* control = childControls_[static_cast<std::size_t>(at)];
        if (control->takesFocus() && control->enabled() && control->showing()) return control;
    }
    return nullptr;
}

PushButton* Form::enterButton(ChildControl* focused) const {
    if (focused && focused->kind() == ControlKind::PushButton)
        return static_cast<PushButton*>(focused);
    for (ChildControl* control : childControls_) {
        auto* button = dynamic_cast<PushButton*>(control);
        if (button && button->isDefault() && button->visible() && button->enabled()) return button;
    }
    return nullptr;
}

PushButton* Form::cancelButton() const {
    for (ChildControl* control : childControls_) {
        auto* button = dynamic_cast<PushButton*>(control);
        if (button && button->isCancel() && button->visible() && button->enabled()) return button;
    }
    return nullptr;
}

std::vector<Rect> Form::hintAreas() const {
    std::vector<Rect> areas;
    for (const Control* control : controls_)
        if (control->showHint && !control->hint.empty()) areas.push_back(control->bounds());
    return areas;
}

Timer::Timer(Form& owner, int intervalMs, std::function<void()> onTimer)
    : owner_(owner), id_(++owner.lastTimerId_), interval_(intervalMs),
      onTimer_(std::move(onTimer)) {
    owner_.timers_.push_back(this);
    setEnabled(true);
}

Timer::~Timer() {
    setEnabled(false);
    eraseFrom(owner_.timers_, this);
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        start();
    else
        stop();
}

void FormEvents::shown(Form& form, bool visible) {
    guarded([&] { visible ? form.FormShow() : form.FormHide(); });
}

void FormEvents::paint(Form& form, Canvas& canvas) {
    guarded([&] {
        canvas.setOrigin({0, 0});
        if (!form.paintsWholeClient) {
            canvas.brush = {form.color(), BrushStyle::Solid};
            const Size client = form.clientSize();
            canvas.fillRect({0, 0, client.width, client.height});
        }
        form.FormPaint(canvas);
        for (Control* control : form.controls_) {
            const Rect& bounds = control->bounds();
            canvas.setOrigin({bounds.left, bounds.top});
            canvas.setClip({0, 0, bounds.width, bounds.height});
            canvas.font = form.font;
            control->Paint(canvas);
            canvas.clearClip();
        }
        canvas.setOrigin({0, 0});
    });
}

void FormEvents::mouseDown(Form& form, const MouseEvent& event) {
    guarded([&] {
        if (Control* control = form.controlAt(event.pos)) {
            form.captured_ = control;
            control->MouseDown(relativeTo(*control, event));
        } else {
            form.pressedOnForm_ = event.button == MouseButton::Left;
            form.FormMouseDown(event);
        }
    });
}

// What the press landed on keeps the pointer until the release: a drag that starts on the form
// goes on over its controls.
Control* FormEvents::pointerOwner(const Form& form, Point pos) {
    if (form.captured_ || form.pressedOnForm_) return form.captured_;
    return form.controlAt(pos);
}

void FormEvents::mouseMove(Form& form, const MouseEvent& event) {
    guarded([&] {
        form.FormMouseOver();
        if (Control* control = pointerOwner(form, event.pos))
            control->MouseMove(relativeTo(*control, event));
        else
            form.FormMouseMove(event);
    });
}

// A click comes before the button-up of the same release, for the form and its controls alike.
void FormEvents::mouseUp(Form& form, const MouseEvent& event) {
    guarded([&] {
        const bool leftRelease = event.button == MouseButton::Left;
        if (Control* control = form.captured_) {
            form.captured_ = nullptr;
            if (leftRelease && control->bounds().contains(event.pos)) control->Click();
            control->MouseUp(relativeTo(*control, event));
            return;
        }
        // Released outside the form, a press is no click: the user moved away to cancel it.
        const Rect client{0, 0, form.clientSize().width, form.clientSize().height};
        const bool pressedHere = form.pressedOnForm_ && leftRelease && client.contains(event.pos);
        Control* control = pointerOwner(form, event.pos);
        if (leftRelease) form.pressedOnForm_ = false;
        if (control) {
            control->MouseUp(relativeTo(*control, event));
            return;
        }
        if (pressedHere) form.FormClick();
        form.FormMouseUp(event);
    });
}

void FormEvents::mouseOver(Form& form) {
    guarded([&] { form.FormMouseOver(); });
}

void FormEvents::mouseLeave(Form& form) {
    guarded([&] { form.FormMouseLeave(); });
}

void FormEvents::doubleClick(Form& form) {
    guarded([&] { form.FormDblClick(); });
}

void FormEvents::contextPopup(Form& form, Point pos) {
    guarded([&] { form.FormContextPopup(pos); });
}

void FormEvents::mouseWheel(Form& form, const MouseEvent& event, int delta) {
    guarded([&] { form.FormMouseWheel(event, delta); });
}

bool FormEvents::keyDown(Form& form, ChildControl* focused, int& key, ShiftState shift) {
    bool usedUp = true; // a key whose handler failed goes no further
    guarded([&] {
        form.keySwallowed_ = false;
        form.FormKeyDown(key, shift);
        if (form.keySwallowed_) return;
        if (focused && focused->onKeyDown) {
            focused->onKeyDown(key, shift);
            if (key == 0) return;
        }
        PushButton* button = key == Keys::Return   ? form.enterButton(focused)
                             : key == Keys::Escape ? form.cancelButton()
                                                   : nullptr;
        usedUp = button != nullptr;
        if (!button) return;
        ControlEvents::clicked(*button);
        if (key == Keys::Escape && form.visible()) form.close();
    });
    return usedUp;
}

bool FormEvents::keyPress(Form& form, ChildControl* focused, char& key) {
    bool usedUp = true;
    guarded([&] {
        form.FormKeyPress(key);
        if (key != 0 && focused && focused->onKeyPress) focused->onKeyPress(key);
        usedUp = key == 0;
    });
    return usedUp;
}

void FormEvents::resized(Form& form) {
    guarded([&] { form.FormResize(); });
}

void FormEvents::timer(Form& form, int timerId) {
    for (Timer* timer : form.timers_) {
        if (timer->id_ == timerId && timer->enabled_ && timer->onTimer_) {
            guarded(timer->onTimer_);
            return;
        }
    }
}

void FormEvents::hotKey(Form& form, int id) {
    guarded([&] { form.FormHotKey(id); });
}

bool FormEvents::queryEndSession(Form& form) {
    bool mayEnd = true;
    guarded([&] { mayEnd = form.FormQueryEndSession(); });
    return mayEnd;
}

void FormEvents::displayScaleChanged(int dpi) {
    if (dpi == displayDpi()) return;
    std::vector<std::pair<Form*, Rect>> placed; // in units at the old scale
    for (Form* form : native::liveForms())
        placed.emplace_back(form, form->bounds());
    setDisplayDpi(dpi);
    for (const auto& [form, bounds] : placed)
        guarded([form = form, bounds = bounds] {
            form->setBounds(bounds);
            for (ChildControl* control : form->childControls())
                control->setBounds(control->bounds());
            form->FormDpiChanged();
        });
}

void FormEvents::screenChanged(Form& form) {
    guarded([&] { form.FormScreenChanged(); });
}

void FormEvents::close(Form& form) {
    guarded([&] {
        form.FormClose();
        form.hide();
        if (isMainForm(form)) quitMessageLoop();
    });
}

void FormEvents::releaseCapture(Form& form) {
    form.captured_ = nullptr;
    form.pressedOnForm_ = false;
}

} // namespace platform
