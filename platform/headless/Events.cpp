// Input as the tests inject it, turned into a form's events in the order Windows sends them.
#include "platform/headless/Formnative.h"
#include "platform/headless/Headless.h"
#include "platform/headless/World.h"

namespace platform::headless {
namespace {

ShiftState heldButton(MouseButton button) {
    ShiftState shift;
    shift.leftButton = button == MouseButton::Left;
    shift.rightButton = button == MouseButton::Right;
    shift.middleButton = button == MouseButton::Middle;
    return shift;
}

} // namespace

// The pointer is where the move says it is.
void mouseMove(Form& form, Point pos, ShiftState shift) {
    world().cursor = Point{form.left() + pos.x, form.top() + pos.y};
    FormEvents::mouseMove(form, {pos, MouseButton::Left, shift});
}

// The last form shown lies on top.
void movePointer(Point pos) {
    World& w = world();
    w.cursor = pos;
    Form* under = nullptr;
    for (Form* form : w.forms)
        if (form->visible() && form->bounds().contains(pos)) under = form;
    for (Form* form : std::vector<Form*>(w.forms)) {
        if (form == under || !form->native().leaveTracked) continue;
        form->native().leaveTracked = false;
        FormEvents::mouseLeave(*form);
    }
    if (!under) return;
    if (under->enabled())
        mouseMove(*under, {pos.x - under->left(), pos.y - under->top()});
    else
        FormEvents::mouseOver(*under);
}

void mouseDown(Form& form, MouseButton button, Point pos) {
    FormEvents::mouseDown(form, {pos, button, heldButton(button)});
}

// As on Windows, a right-button release goes on to ask for the context menu.
void mouseUp(Form& form, MouseButton button, Point pos) {
    FormEvents::mouseUp(form, {pos, button, {}});
    if (button == MouseButton::Right) FormEvents::contextPopup(form, pos);
}

// The second press of a double click comes as the double click and then as a press.
void doubleClick(Form& form, Point pos) {
    mouseDown(form, MouseButton::Left, pos);
    mouseUp(form, MouseButton::Left, pos);
    FormEvents::doubleClick(form);
    mouseDown(form, MouseButton::Left, pos);
    mouseUp(form, MouseButton::Left, pos);
}

void turnWheel(Form& form, Point pos, int notches) {
    FormEvents::mouseWheel(form, {pos, MouseButton::Left, {}}, notches * 120);
}

void contextMenuKey(Form& form) {
    FormEvents::contextPopup(form, {-1, -1});
}
bool queryEndSession(Form& form) {
    return FormEvents::queryEndSession(form);
}

} // namespace platform::headless
