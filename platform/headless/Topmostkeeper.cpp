// Without a window system no other program's window can cover the program's.
#include "platform/Topmost.h"

namespace platform {

TopmostKeeper::TopmostKeeper() : hook_(nullptr) {}
TopmostKeeper::~TopmostKeeper() = default;

} // namespace platform
