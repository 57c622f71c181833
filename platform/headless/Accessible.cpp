// Without a window system nobody asks: an exposure is a record of the form's tree and of the
// focus it reported, for tests to read.
#include "platform/Accessible.h"

#include "platform/Controls.h"

#include "platform/headless/Headless.h"

#include <map>

namespace platform {
namespace {

std::map<const void*, AccessibleExposure::Native*>& exposures() {
    static std::map<const void*, AccessibleExposure::Native*> byForm;
    return byForm;
}

} // namespace

struct AccessibleExposure::Native {
    const void* owner; // the form or the control
    AccessibleTree& tree;
    std::vector<headless::AccessibleFocus> focus;
};

AccessibleExposure::AccessibleExposure(Form& form, AccessibleTree& tree)
    : native_(std::make_unique<Native>(Native{&form, tree, {}})) {
    exposures()[&form] = native_.get();
}

AccessibleExposure::AccessibleExposure(ChildControl& control, AccessibleTree& tree)
    : native_(std::make_unique<Native>(Native{&control, tree, {}})) {
    exposures()[&control] = native_.get();
}

AccessibleExposure::~AccessibleExposure() {
    exposures().erase(native_->owner);
}

void AccessibleExposure::focusMoved(int group, int index) {
    native_->focus.push_back({group, index});
}

void AccessibleExposure::treeChanged() {}

void AccessibleExposure::itemsChanged(int) {}

namespace headless {

AccessibleTree* accessibleTree(const Form& form) {
    const auto found = exposures().find(&form);
    return found == exposures().end() ? nullptr : &found->second->tree;
}

std::vector<AccessibleFocus> accessibleFocusEvents(const Form& form) {
    const auto found = exposures().find(&form);
    return found == exposures().end() ? std::vector<AccessibleFocus>{} : found->second->focus;
}

} // namespace headless
} // namespace platform
