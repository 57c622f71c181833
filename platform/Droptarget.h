#pragma once
// Files dragged from other programs onto a form. While a DropRegistration lives, its handler is
// told when a drag enters the form, moves over it and leaves it, and what was dropped on it.
// Every drag is offered the link effect, which the dragging program gets back whatever the
// handler does; the handler has no say in it. On Windows the shell draws the dragged object's
// picture over the form when it can.

#include "platform/Geometry.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {

class Form;

// Points are in the form's client area. An exception a handler throws is shown in the standard
// error box.
class DropHandler {
public:
    // A handler that keeps nothing from one drag to the next need not know of its start and end.
    virtual void DragEnter(Point /*at*/) {}
    virtual void DragOver(Point at) = 0;
    virtual void DragLeave() {}
    // `files` are the dropped paths in the dragging program's order; empty when what was dropped
    // holds no file list (a piece of text, say).
    virtual void Drop(Point at, const std::vector<std::string>& files) = 0;

protected:
    ~DropHandler() = default;
};

// The form takes drops for as long as this lives. On Windows OLE must stay initialised on the
// calling thread (platform::OleSession) all that time; when the form cannot be registered, it
// simply takes no drops.
class DropRegistration {
public:
    DropRegistration(Form& form, DropHandler& handler);
    ~DropRegistration();
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

    struct Native; // per backend

private:
    std::unique_ptr<Native> native_;
};

} // namespace platform
