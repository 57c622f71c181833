// The common dialogs and the input box without Windows: each request is recorded and answered
// from what the test queued for its kind.
#include "platform/Dialogs.h"
#include "platform/headless/Headless.h"

#include <deque>

namespace platform {
namespace {

struct Dialogs {
    std::vector<headless::DialogRecord> shown;
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<Color>> colors;
    std::deque<std::optional<Font>> fonts;
    std::deque<std::optional<std::string>> inputs;
};

Dialogs& dialogs() {
    static Dialogs theDialogs;
    return theDialogs;
}

template <class T> std::optional<T> nextAnswer(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<std::string> chooseFile(const Form*) {
    dialogs().shown.push_back({headless::DialogKind::OpenFile, {}, {}, {}, 0, {}});
    return nextAnswer(dialogs().files);
}

std::optional<Color> chooseColor(const Form*, Color initial) {
    dialogs().shown.push_back({headless::DialogKind::Color, {}, {}, {}, initial, {}});
    return nextAnswer(dialogs().colors);
}

std::optional<Font> chooseFont(const Form*, const Font& initial) {
    dialogs().shown.push_back({headless::DialogKind::Font, {}, {}, {}, 0, initial});
    return nextAnswer(dialogs().fonts);
}

std::string inputBox(const std::string& caption, const std::string& prompt,
                     const std::string& initial) {
    dialogs().shown.push_back({headless::DialogKind::Input, caption, prompt, initial, 0, {}});
    return nextAnswer(dialogs().inputs).value_or(initial);
}

namespace headless {

const std::vector<DialogRecord>& dialogsShown() {
    return dialogs().shown;
}
void answerNextFileDialog(std::optional<std::string> path) {
    dialogs().files.push_back(std::move(path));
}
void answerNextColorDialog(std::optional<Color> color) {
    dialogs().colors.push_back(color);
}
void answerNextFontDialog(std::optional<Font> font) {
    dialogs().fonts.push_back(std::move(font));
}
void answerNextInputBox(std::optional<std::string> text) {
    dialogs().inputs.push_back(std::move(text));
}
void resetDialogs() {
    dialogs() = Dialogs();
}

} // namespace headless
} // namespace platform
