// The process-wide services of System.h without a window system: a screen and pointer the
// tests set, message boxes that answer from their script, names held within the process.
#include "platform/System.h"
#include "platform/headless/World.h"

#include <memory>
#include <vector>

namespace platform {

using headless::world;
using headless::World;

std::optional<Point> cursorPos() {
    return world().cursor;
}
int screenWidth() {
    return world().screenWidth;
}
int screenHeight() {
    return world().screenHeight;
}
// One monitor, whose work area is the whole screen unless a test says otherwise.
Rect workAreaAt(Point) {
    const World& w = world();
    return w.workArea.value_or(Rect{0, 0, w.screenWidth, w.screenHeight});
}

int messageBox(const Form*, const std::string& text, const std::string& caption, unsigned style) {
    World& w = world();
    w.messageBoxes.push_back({text, caption, style});
    if (!w.answers.empty()) {
        const int answer = w.answers.front();
        w.answers.pop_front();
        return answer;
    }
    if ((style & 0x0F) != MessageBoxStyle::YesNo) return MessageBoxAnswer::Ok;
    return style & MessageBoxStyle::DefaultButton2 ? MessageBoxAnswer::No : MessageBoxAnswer::Yes;
}

// Names are held within the process, which is all one test binary can see.
SingleInstance::SingleInstance(const std::string& name)
    : handle_(world().heldNames.insert(name).second ? new std::string(name) : nullptr),
      acquired_(handle_ != nullptr) {}

SingleInstance::~SingleInstance() {
    const std::unique_ptr<std::string> name(static_cast<std::string*>(handle_));
    if (name) world().heldNames.erase(*name);
}
void raiseTopmostWindows() {}
void initCommonControls() {}

namespace headless {

namespace {
// As the system tells every top-level window.
void tellEveryForm() {
    for (Form* form : std::vector<Form*>(world().forms))
        FormEvents::screenChanged(*form);
}
} // namespace

void setScreenWidth(int width) {
    world().screenWidth = width;
    tellEveryForm();
}
void setWorkArea(std::optional<Rect> area) {
    world().workArea = area;
    tellEveryForm();
}
void setCursorPos(std::optional<Point> pos) {
    world().cursor = pos;
}

const std::vector<MessageBoxRecord>& messageBoxes() {
    return world().messageBoxes;
}
void answerNextMessageBox(int answer) {
    world().answers.push_back(answer);
}

} // namespace headless
} // namespace platform
