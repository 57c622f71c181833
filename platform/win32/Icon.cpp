#include "platform/Icon.h"

#include <windows.h>

namespace platform {

void Icon::destroyIconHandle(Handle handle) {
    DestroyIcon(static_cast<HICON>(handle));
}

} // namespace platform
