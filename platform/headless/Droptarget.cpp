// Drops without a window system: a registration is a record of the form's handler, which
// dragFiles (Headless.h) calls as the system would.
#include "platform/Droptarget.h"

#include "platform/Form.h"
#include "platform/Guarded.h"
#include "platform/headless/Headless.h"

#include <map>

namespace platform {
namespace {

std::map<const Form*, DropHandler*>& registrations() {
    static std::map<const Form*, DropHandler*> handlers;
    return handlers;
}

} // namespace

struct DropRegistration::Native {
    const Form& form;
};

DropRegistration::DropRegistration(Form& form, DropHandler& handler)
    : native_(std::make_unique<Native>(Native{form})) {
    registrations()[&form] = &handler;
}

DropRegistration::~DropRegistration() {
    registrations().erase(&native_->form);
}

namespace headless {

bool dragFiles(Form& form, const std::vector<std::string>& files, const std::vector<Point>& points,
               DragFinish finish) {
    const auto found = registrations().find(&form);
    if (found == registrations().end() || points.empty()) return false;
    DropHandler& handler = *found->second;
    guarded([&] { handler.DragEnter(points.front()); });
    for (const Point& pos : points)
        guarded([&] { handler.DragOver(pos); });
    if (finish == DragFinish::Drop)
        guarded([&] { handler.Drop(points.back(), files); });
    else
        guarded([&] { handler.DragLeave(); });
    return true;
}

} // namespace headless
} // namespace platform
