#include "platform/Registry.h"
#include "platform/headless/Headlessregistry.h"

namespace platform {

headless::RunKeyStore& headless::runKeyStore() {
    static RunKeyStore store;
    return store;
}

namespace {

headless::RunKeyStore* touch(void* key) {
    ++headless::runKeyStore().accesses;
    return static_cast<headless::RunKeyStore*>(key);
}

} // namespace

RunKey::RunKey() : key_(headless::runKeyStore().exists ? &headless::runKeyStore() : nullptr) {
    ++headless::runKeyStore().accesses;
}

RunKey::~RunKey() = default;

std::optional<std::string> RunKey::readString(const std::string& name) const {
    const auto* store = touch(key_);
    if (!store) return std::nullopt;
    const auto found = store->values.find(name);
    if (found == store->values.end()) return std::nullopt;
    return found->second;
}

bool RunKey::writeString(const std::string& name, const std::string& data) {
    auto* store = touch(key_);
    if (!store) return false;
    store->values[name] = data;
    return true;
}

bool RunKey::deleteValue(const std::string& name) {
    auto* store = touch(key_);
    return store && store->values.erase(name) > 0;
}

} // namespace platform
