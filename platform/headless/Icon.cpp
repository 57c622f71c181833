#include "platform/Icon.h"
#include "platform/headless/Headlessicon.h"

namespace platform {
namespace {
int liveIcons = 0;
}

void* headless::createIconHandle(int size, std::string source) {
    ++liveIcons;
    return new HeadlessIcon{size, std::move(source)};
}

int headless::liveIconCount() {
    return liveIcons;
}

void Icon::destroyIconHandle(Handle handle) {
    --liveIcons;
    delete static_cast<headless::HeadlessIcon*>(handle);
}

} // namespace platform
