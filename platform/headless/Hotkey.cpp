// Hot keys without a window system: one table for the whole process stands for the system's, so
// that a second holder of a key is refused as another program would be.
#include "platform/Hotkey.h"

#include "platform/Form.h"
#include "platform/headless/Headless.h"

#include <map>
#include <utility>

namespace platform {
namespace {

// Who holds each combination of modifiers and key.
std::map<std::pair<unsigned, int>, const Form*>& heldKeys() {
    static std::map<std::pair<unsigned, int>, const Form*> keys;
    return keys;
}

} // namespace

HotKey::HotKey(Form& owner, int id, unsigned modifiers, int key)
    : owner_(owner), id_(id), modifiers_(modifiers), key_(key),
      registered_(heldKeys().emplace(std::make_pair(modifiers, key), &owner_).second) {}

HotKey::~HotKey() {
    if (registered_) heldKeys().erase({modifiers_, key_});
}

namespace headless {

void pressHotKey(Form& form, int id) {
    FormEvents::hotKey(form, id);
}

} // namespace headless
} // namespace platform
