// The windowing layer's own rules, on the headless backend: how events reach forms and
// controls, and how timers fire.
#include "platform/Form.h"
#include "platform/Control.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

using platform::MouseButton;
using platform::Point;
namespace headless = platform::headless;

class LoggingForm : public platform::Form {
public:
    std::string log;
    bool throwOnKey = false;

protected:
    void FormMouseDown(const platform::MouseEvent& e) override { log += "down " + at(e) + ";"; }
    void FormMouseMove(const platform::MouseEvent& e) override { log += "move " + at(e) + ";"; }
    void FormMouseUp(const platform::MouseEvent& e) override { log += "up " + at(e) + ";"; }
    void FormClick() override { log += "click;"; }
    void FormKeyDown(int key, platform::ShiftState) override {
        if (throwOnKey) throw std::runtime_error("Unable to write to settings.txt");
        log += "key " + std::to_string(key) + ";";
    }

private:
    static std::string at(const platform::MouseEvent& e) {
        return std::to_string(e.pos.x) + "," + std::to_string(e.pos.y);
    }
};

class LoggingControl : public platform::Control {
public:
    LoggingControl(platform::Form& parent, std::string& log) : Control(parent), log_(log) {
        onMouseMove = [this](const platform::MouseEvent& e) {
            log_ += "c-move " + std::to_string(e.pos.x) + ";";
        };
        onMouseUp = [this](const platform::MouseEvent& e) {
            log_ += "c-up " + std::to_string(e.pos.x) + ";";
        };
        onClick = [this] { log_ += "c-click;"; };
    }

private:
    std::string& log_;
};

class FormEventsTest : public ::testing::Test {
protected:
    void SetUp() override { headless::resetWorld(); }
};

TEST_F(FormEventsTest, ClickComesBeforeTheButtonUpOfTheSameRelease) {
    LoggingForm form;
    headless::mouseDown(form, MouseButton::Left, {5, 6});
    headless::mouseUp(form, MouseButton::Left, {5, 6});
    headless::mouseDown(form, MouseButton::Right, {5, 6});
    headless::mouseUp(form, MouseButton::Right, {5, 6});
    headless::mouseUp(form, MouseButton::Left, {5, 6}); // no press seen: no click
    EXPECT_EQ(form.log, "down 5,6;click;up 5,6;down 5,6;up 5,6;up 5,6;");
}

TEST_F(FormEventsTest, ControlsGetTheEventsOverThemInTheirOwnCoordinates) {
    LoggingForm form;
    LoggingControl control(form, form.log);
    control.setBounds({10, 10, 20, 20});

    headless::mouseMove(form, {15, 15});
    headless::mouseMove(form, {30, 15}); // right edge: outside
    headless::mouseDown(form, MouseButton::Left, {12, 12});
    headless::mouseMove(form, {50, 15}); // the pressed control keeps the pointer
    headless::mouseUp(form, MouseButton::Left, {50, 15});
    headless::mouseDown(form, MouseButton::Left, {12, 12});
    headless::mouseUp(form, MouseButton::Left, {13, 12});
    EXPECT_EQ(form.log, "c-move 5;move 30,15;c-move 40;c-up 40;c-click;c-up 3;");
}

TEST_F(FormEventsTest, APressOnTheFormKeepsThePointerOverItsControlsUntilTheRelease) {
    LoggingForm form;
    form.setBounds({0, 0, 100, 50});
    LoggingControl control(form, form.log);
    control.setBounds({10, 10, 20, 20});
    platform::ShiftState held;
    held.leftButton = true;

    headless::mouseDown(form, MouseButton::Left, {40, 15});
    headless::mouseMove(form, {15, 15}, held);
    headless::mouseUp(form, MouseButton::Left, {15, 15});
    headless::mouseMove(form, {15, 15});
    EXPECT_EQ(form.log, "down 40,15;move 15,15;click;up 15,15;c-move 5;");

    // Released off the form (the mouse was captured), the press is no click.
    form.log.clear();
    headless::mouseDown(form, MouseButton::Left, {40, 15});
    headless::mouseUp(form, MouseButton::Left, {100, 15});
    headless::mouseDown(form, MouseButton::Left, {40, 15});
    headless::mouseUp(form, MouseButton::Left, {40, -1});
    EXPECT_EQ(form.log, "down 40,15;up 100,15;down 40,15;up 40,-1;");
}

TEST_F(FormEventsTest, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
    LoggingForm form;
    form.throwOnKey = true;
    headless::keyDown(form, 65);
    form.throwOnKey = false;
    headless::keyDown(form, 66);

    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "Unable to write to settings.txt");
    EXPECT_EQ(headless::messageBoxes()[0].style, platform::MessageBoxStyle::IconError);
    EXPECT_EQ(form.log, "key 66;");
}

TEST_F(FormEventsTest, TimersFireInDueOrderAsOftenAsTheyFallDue) {
    platform::Form form;
    std::string log;
    platform::Timer fast(form, 10, [&] { log += "f"; });
    platform::Timer slow(form, 25, [&] { log += "S"; });
    platform::Timer stopped(form, 5, [&] { log += "x"; });
    stopped.setEnabled(false);

    headless::advanceTime(50);
    EXPECT_EQ(log, "ffSfffS");
    log.clear();
    slow.setEnabled(false);
    headless::advanceTime(20);
    EXPECT_EQ(log, "ff");
}

TEST_F(FormEventsTest, ClosingTheMainFormEndsTheLoopAndClosingAnotherHidesIt) {
    platform::Form mainForm;
    platform::Form other;
    platform::runMessageLoop(mainForm);
    other.show();
    other.close();
    EXPECT_FALSE(other.visible());
    EXPECT_FALSE(headless::quitRequested());
    mainForm.postClose();
    EXPECT_TRUE(mainForm.visible());
    headless::deliverPostedMessages();
    EXPECT_TRUE(headless::quitRequested());
}

TEST(SingleInstance, OnlyOneHolderOfANameAtATime) {
    auto first = std::make_unique<platform::SingleInstance>("Kestrum");
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(platform::SingleInstance("Kestrum").acquired());
    EXPECT_TRUE(platform::SingleInstance("Other").acquired());
    first.reset();
    EXPECT_TRUE(platform::SingleInstance("Kestrum").acquired());
}

TEST_F(FormEventsTest, HintsComeFromTheControlUnderThePointer) {
    platform::Form form;
    std::string log;
    LoggingControl shown(form, log), silent(form, log);
    shown.setBounds({0, 0, 10, 10});
    shown.hint = "Click me";
    shown.showHint = true;
    silent.setBounds({20, 0, 10, 10});
    silent.hint = "never shown";
    EXPECT_EQ(form.hintAt({5, 5}), "Click me");
    EXPECT_EQ(form.hintAt({25, 5}), "");
    EXPECT_EQ(form.hintAt({15, 5}), "");
    EXPECT_EQ(form.hintAreas(), (std::vector<platform::Rect>{{0, 0, 10, 10}}));
}

} // namespace
