#include "platform/Registry.h"

#include "platform/win32/Wide.h"

#include <windows.h>

namespace platform {
namespace {

HKEY asKey(void* key) {
    return static_cast<HKEY>(key);
}

} // namespace

RunKey::RunKey() : key_(nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, &key) == ERROR_SUCCESS)
        key_ = key;
}

RunKey::~RunKey() {
    if (key_) RegCloseKey(asKey(key_));
}

std::optional<std::string> RunKey::readString(const std::string& name) const {
    const std::wstring wideName = win32::widen(name);
    DWORD type = 0, size = 0;
    if (!key_ ||
        RegQueryValueExW(asKey(key_), wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // The size is in bytes, and a value need not end with its zero or fill whole characters.
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(asKey(key_), wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(std::min<size_t>(size / sizeof(wchar_t), data.size()));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return win32::narrow(data);
}

bool RunKey::writeString(const std::string& name, const std::string& data) {
    const std::wstring wideData = win32::widen(data);
    return key_ && RegSetValueExW(asKey(key_), win32::widen(name).c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(wideData.c_str()),
                                  DWORD((wideData.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RunKey::deleteValue(const std::string& name) {
    return key_ && RegDeleteValueW(asKey(key_), win32::widen(name).c_str()) == ERROR_SUCCESS;
}

} // namespace platform
