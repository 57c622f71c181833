#pragma once
// A windowless control: a rectangle of its form that paints itself and receives the mouse
// events that happen over it. The form routes the events (see Form.h); a control that wants
// events handled elsewhere sets the matching callbacks, and derived controls override the
// virtual handlers.

#include "platform/Canvas.h"
#include "platform/Geometry.h"
#include "platform/Input.h"

#include <functional>
#include <string>

namespace platform {

class Form;

class Control {
public:
    explicit Control(Form& parent);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& parent() const { return parent_; }
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    void setWidth(int width) { setBounds({bounds_.left, bounds_.top, width, bounds_.height}); }

    Cursor cursor = Cursor::Default;
    // The hint text and whether the form's tool tip shows it while the pointer rests here.
    std::string hint;
    bool showHint = false;

    // Mouse coordinates are relative to the control's top-left corner.
    std::function<void(const MouseEvent&)> onMouseMove;
    std::function<void(const MouseEvent&)> onMouseUp;
    std::function<void()> onClick;

    // Asks the form to paint the control again.
    void invalidate();

    // Called with the canvas's origin at the control's corner and drawing clipped to it.
    virtual void Paint(Canvas& canvas);
    virtual void MouseDown(const MouseEvent& event);
    virtual void MouseMove(const MouseEvent& event);
    virtual void MouseUp(const MouseEvent& event);
    virtual void Click();

private:
    Form& parent_;
    Rect bounds_{0, 0, 10, 10};
};

// A plain area in the colour of its form, with a raised one-pixel edge.
class Panel : public Control {
public:
    using Control::Control;
    void Paint(Canvas& canvas) override;
};

// Draws a one-pixel frame around `rect`: `topLeft` on the top and left edges, `bottomRight` on
// the others.
void drawFrame(Canvas& canvas, const Rect& rect, Color topLeft, Color bottomRight);

} // namespace platform
