// The process-wide services that are the same on every backend.
#include "platform/System.h"

#include "platform/Path.h"
#include "platform/Process.h"

namespace platform {

std::string applicationTitle() {
    const std::string executable = executablePath();
    const std::string_view name = path::fileName(executable);
    return std::string(name.substr(0, name.find('.')));
}

void showErrorBox(const std::string& message) {
    messageBox(nullptr, message, applicationTitle(),
               MessageBoxStyle::IconError | MessageBoxStyle::Ok);
}

} // namespace platform
