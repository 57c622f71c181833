#pragma once
// The state of the headless window system, shared by its files: the screen, the pointer, the
// clock and its timers, the live forms, and what the tests have queued or may read back.

#include "platform/Form.h"
#include "platform/headless/Headless.h"

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace platform::headless {

struct ScheduledTimer {
    Timer* timer;
    long long due;
    long long startOrder;
};

struct World {
    int screenWidth = 1024;
    int screenHeight = 768;
    std::optional<Rect> workArea; // the whole screen when not set
    std::optional<Point> cursor = Point{0, 0};
    long long now = 0;
    long long startCount = 0;
    std::vector<ScheduledTimer> timers;
    std::vector<Form*> postedCloses;
    bool quit = false;
    Form* foreground = nullptr;
    std::vector<MessageBoxRecord> messageBoxes;
    std::deque<int> answers;
    std::set<std::string> heldNames;
    Cursor pointerShape = Cursor::Default;
    std::vector<MenuRecord> menus;
    std::deque<std::string> menuChoices;
    std::vector<Form*> forms;
    std::deque<std::function<void(Form&)>> modalScripts;
};

World& world();

} // namespace platform::headless
