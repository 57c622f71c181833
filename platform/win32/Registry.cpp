#include "platform/Registry.h"

#include <windows.h>

namespace platform {
namespace {

HKEY asKey(void* key) {
    return static_cast<HKEY>(key);
}

} // namespace

RunKey::RunKey() : key_(nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &key) == ERROR_SUCCESS)
        key_ = key;
}

RunKey::~RunKey() {
    if (key_) RegCloseKey(asKey(key_));
}

std::optional<std::string> RunKey::readString(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (!key_ ||
        RegQueryValueExA(asKey(key_), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(asKey(key_), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(std::min<size_t>(size, data.size()));
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

bool RunKey::writeString(const std::string& name, const std::string& data) {
    return key_ && RegSetValueExA(asKey(key_), name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(data.c_str()),
                                  DWORD(data.size() + 1)) == ERROR_SUCCESS;
}

bool RunKey::deleteValue(const std::string& name) {
    return key_ && RegDeleteValueA(asKey(key_), name.c_str()) == ERROR_SUCCESS;
}

} // namespace platform
