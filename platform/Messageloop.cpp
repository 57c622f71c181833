// The message loop's rules on every backend: which form is the main one, and the idle work
// done in the gaps between messages.
#include "platform/Form.h"
#include "platform/Loopnative.h"
#include "platform/System.h"

namespace platform {
namespace {

const Form* mainForm = nullptr;
std::function<bool()> idleWork;

} // namespace

void setIdleWork(std::function<bool()> slice) {
    idleWork = std::move(slice);
}

bool native::runIdleSlice() {
    if (!idleWork) return false;
    // The slice may replace the work while it runs, so it is called from a copy.
    const std::function<bool()> slice = idleWork;
    if (!slice()) idleWork = nullptr;
    return true;
}

void runMessageLoop(Form& form) {
    mainForm = &form;
    form.show();
    native::dispatchUntilQuit();
}

bool isMainForm(const Form& form) {
    return mainForm == &form;
}

void native::forgetForm(const Form& form) {
    if (mainForm == &form) mainForm = nullptr;
}

} // namespace platform
