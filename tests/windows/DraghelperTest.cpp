#include "windows/Draghelper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingHandler : public DragEventHandler {
public:
    void dragBegin(int x, int y) override { log += "begin " + pos(x, y) + ";"; }
    void dragMove(int x, int y) override { log += "move " + pos(x, y) + ";"; }
    void dragEnd(int x, int y) override { log += "end " + pos(x, y) + ";"; }
    std::string log;

private:
    static std::string pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

// One mouse event: a move with or without the left button, or a button-up.
struct Input {
    enum Kind { HeldMove, FreeMove, Up } kind;
    int x;
    int y;
};

struct DragCase {
    const char* name;
    int threshold;
    std::vector<Input> inputs;
    const char* expectedLog;
};

const DragCase kCases[] = {
    {"threshold 0 begins one pixel from the press point, without passing that move on",
     0,
     {{Input::HeldMove, 10, 5},
      {Input::HeldMove, 10, 5},
      {Input::HeldMove, 11, 5},
      {Input::HeldMove, 15, 7},
      {Input::Up, 16, 7}},
     "begin 10,5;move 15,7;end 16,7;"},
    {"moves within the threshold start nothing, on either axis",
     6,
     {{Input::HeldMove, 0, 0},
      {Input::HeldMove, 6, -6},
      {Input::HeldMove, -6, 6},
      {Input::Up, 0, 0}},
     ""},
    {"a move past the threshold on the vertical axis begins the drag",
     6,
     {{Input::HeldMove, 0, 0}, {Input::HeldMove, 0, 7}, {Input::HeldMove, 1, 8}},
     "begin 0,0;move 1,8;"},
    {"a move without the button ends the drag like a button-up",
     0,
     {{Input::HeldMove, 0, 0},
      {Input::HeldMove, 3, 0},
      {Input::HeldMove, 4, 0},
      {Input::FreeMove, 9, 9},
      {Input::FreeMove, 10, 10}},
     "begin 0,0;move 4,0;end 9,9;"},
    {"after a release the next held move is a new press point",
     0,
     {{Input::HeldMove, 0, 0},
      {Input::Up, 0, 0},
      {Input::HeldMove, 50, 50},
      {Input::HeldMove, 52, 50},
      {Input::HeldMove, 60, 50}},
     "begin 50,50;move 60,50;"},
    {"a button-up without a drag ends nothing",
     0,
     {{Input::HeldMove, 0, 0}, {Input::Up, 0, 0}},
     ""},
};

TEST(DragHelper, TurnsMouseEventsIntoDragNotifications) {
    for (const DragCase& dragCase : kCases) {
        RecordingHandler handler;
        DragHelper helper(handler);
        helper.threshold = dragCase.threshold;
        for (const Input& input : dragCase.inputs) {
            if (input.kind == Input::Up)
                helper.mouseUp(input.x, input.y);
            else
                helper.mouseMove(input.x, input.y, input.kind == Input::HeldMove);
        }
        EXPECT_EQ(handler.log, dragCase.expectedLog) << dragCase.name;
    }
}

TEST(DragHelper, ReleaseResetsTheStateAndForgetsTheDraggedItem) {
    RecordingHandler handler;
    DragHelper helper(handler);
    helper.threshold = 0;
    helper.mouseMove(0, 0, true);
    helper.mouseMove(1, 0, true);
    helper.dragItem = static_cast<Bar*>(nullptr);
    EXPECT_TRUE(helper.dragging);
    EXPECT_TRUE(helper.started);

    helper.mouseUp(1, 0);
    EXPECT_FALSE(helper.dragging);
    EXPECT_FALSE(helper.pressed);
    EXPECT_FALSE(helper.ended);
    EXPECT_TRUE(helper.released);
    EXPECT_TRUE(helper.started);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(helper.dragItem));
}

} // namespace
