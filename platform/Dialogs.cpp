// The boxes made of message boxes, the same on every backend.
#include "platform/Dialogs.h"

#include "platform/System.h"

namespace platform {

void showMessage(const std::string& text) {
    messageBox(nullptr, text, applicationTitle(), MessageBoxStyle::Ok);
}

bool askYesNo(const Form* owner, const std::string& text, const std::string& caption) {
    return messageBox(owner, text, caption,
                      MessageBoxStyle::YesNo | MessageBoxStyle::DefaultButton2) ==
           MessageBoxAnswer::Yes;
}

} // namespace platform
