#pragma once
// The current user's Run key, which starts programs when the user logs on.

#include <optional>
#include <stdexcept>
#include <string>

namespace platform {

class RunKey {
public:
    // Opens HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run for reading and
    // writing without creating it; when it cannot be opened every value reads as missing and
    // every change fails.
    RunKey();
    ~RunKey();
    RunKey(const RunKey&) = delete;
    RunKey& operator=(const RunKey&) = delete;

    std::optional<std::string> readString(const std::string& name) const; // REG_SZ data
    bool writeString(const std::string& name, const std::string& data);
    bool deleteValue(const std::string& name);

private:
    void* key_; // the open key, or null
};

} // namespace platform

namespace platform {

// Raised when a registry value cannot be written; the message names the value.
class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::string& valueName)
        : std::runtime_error("Failed to set data for '" + valueName + "'") {}
};

} // namespace platform
