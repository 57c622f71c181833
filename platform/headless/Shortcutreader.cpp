#include "platform/Shortcutreader.h"

#include <utility>

namespace platform {

struct ShortcutReader::Native {
    ShellLinkReader links;
    std::vector<Answer> answers;
};

// The answer is there before ask() returns, so nobody needs telling.
ShortcutReader::ShortcutReader(std::function<void()>) : native_(std::make_unique<Native>()) {}

ShortcutReader::~ShortcutReader() = default;

void ShortcutReader::ask(Ticket ticket, std::string linkPath) {
    native_->answers.push_back({ticket, readShortcut(linkPath, native_->links)});
}

std::vector<ShortcutReader::Answer> ShortcutReader::takeAnswers() {
    return std::exchange(native_->answers, {});
}

} // namespace platform
