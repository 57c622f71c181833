#include "platform/Hotkey.h"

#include "platform/win32/Formnative.h"

namespace platform {

HotKey::HotKey(Form& owner, int id, unsigned modifiers, int key)
    : owner_(owner), id_(id), modifiers_(modifiers), key_(key),
      registered_(RegisterHotKey(owner.native().window, id, modifiers, static_cast<UINT>(key)) !=
                  FALSE) {}

HotKey::~HotKey() {
    if (registered_) UnregisterHotKey(owner_.native().window, id_);
}

} // namespace platform
