// Without a window system no other program's window can cover the program's.
#include "platform/Topmost.h"

namespace platform {

// Nothing is hooked here: the hook stays empty.
TopmostKeeper::TopmostKeeper() : hook_(nullptr) {}
TopmostKeeper::~TopmostKeeper() {
    static_cast<void>(hook_);
}

} // namespace platform
