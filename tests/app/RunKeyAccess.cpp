#include "tests/app/RunKeyAccess.h"

#ifdef _WIN32
#include <windows.h>

namespace testing_support {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

std::optional<std::string> runValue(const std::string& name) {
    char data[1024];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, kRunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

void setRunValue(const std::string& name, const std::optional<std::string>& data) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (data)
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data->c_str()),
                       DWORD(data->size() + 1));
    else
        RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

std::optional<int> registryAccesses() {
    return std::nullopt;
}

} // namespace testing_support

#else
#include "platform/headless/Headlessregistry.h"

namespace testing_support {

std::optional<std::string> runValue(const std::string& name) {
    const auto& values = platform::headless::runKeyStore().values;
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
}

void setRunValue(const std::string& name, const std::optional<std::string>& data) {
    auto& values = platform::headless::runKeyStore().values;
    if (data)
        values[name] = *data;
    else
        values.erase(name);
}

std::optional<int> registryAccesses() {
    return platform::headless::runKeyStore().accesses;
}

} // namespace testing_support
#endif
