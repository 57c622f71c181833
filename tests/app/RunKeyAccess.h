#pragma once
// Direct access to the Run value, beside the program's own, so that tests can arrange it and
// see what the program left there. On the headless backend it also counts the program's
// registry accesses.

#include <optional>
#include <string>

namespace testing_support {

std::optional<std::string> runValue(const std::string& name);
void setRunValue(const std::string& name, const std::optional<std::string>& data);
// The number of registry accesses the program made so far, where the backend counts them.
std::optional<int> registryAccesses();

} // namespace testing_support
