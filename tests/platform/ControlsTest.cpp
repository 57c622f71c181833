// The standard controls, modal forms and dialogs on the headless backend: the rules the
// system's controls keep, how keys travel from a control through its form, and how modal
// shows, Enter and Escape, and the dialogs' answers work.
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Inputform.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace platform;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { headless::resetWorld(); }
};

// A dialog with a control of each kind that the logging needs, and a log of its events.
class LoggingDialog : public Form {
public:
    LoggingDialog() : Form(FormKind::Dialog) { setClientSize({300, 200}); }

    std::string log;
    bool swallowDown = false;
    EditBox edit{*this, {10, 10, 100, 21}};
    PushButton ok{*this, {10, 100, 75, 25}, "&OK"};
    PushButton other{*this, {100, 100, 75, 25}, "&Other"};

protected:
    void FormShow() override { log += "show;"; }
    void FormClose() override { log += "close;"; }
    void FormKeyDown(int key, ShiftState) override {
        log += "form-down " + std::to_string(key) + ";";
        if (swallowDown) swallowKey();
    }
    void FormKeyPress(char& key) override {
        log += std::string("form-press ") + key + ";";
        if (key == '#') key = 0;
    }
};

TEST_F(ControlsTest, ControlsKeepTheRulesOfTheSystemsControls) {
    Form form(FormKind::Dialog);
    RadioGroup sizes(form, {0, 0, 200, 60}, "Icon Size", {"Small", "Large", "Huge"}, 2);
    int groupClicks = 0;
    sizes.onClick = [&] { ++groupClicks; };
    EXPECT_EQ(sizes.selectedIndex(), -1);
    sizes.setSelectedIndex(7);
    EXPECT_EQ(sizes.selectedIndex(), 2);
    sizes.setSelectedIndex(-5);
    EXPECT_EQ(sizes.selectedIndex(), -1);
    headless::chooseItem(sizes, 1);
    headless::chooseItem(sizes, 1);
    EXPECT_EQ(sizes.selectedIndex(), 1);
    EXPECT_EQ(groupClicks, 2); // the program's own choices run no callback
    // Two per column, filled column by column.
    EXPECT_EQ(sizes.itemBounds(1).left, sizes.itemBounds(0).left);
    EXPECT_GT(sizes.itemBounds(2).left, sizes.itemBounds(1).left);

    EditBox height(form, {0, 70, 60, 21});
    UpDown arrows(form, height);
    std::string seen;
    arrows.onClick = [&] { seen += std::to_string(arrows.position()) + ","; };
    arrows.setRange(1, 3);
    arrows.setPosition(40);
    EXPECT_EQ(height.text(), "3");
    // The box makes room for the arrows, which sit against its right edge.
    EXPECT_LT(arrows.bounds().left, height.bounds().right());
    EXPECT_EQ(arrows.bounds().top, 70);
    EXPECT_LE(arrows.bounds().right(), 60);
    headless::pressArrow(arrows, true);
    headless::pressArrow(arrows, false);
    height.setFocus();
    headless::keyDown(form, Keys::Down);
    headless::keyDown(form, Keys::Down); // stays at the minimum: no wrap
    EXPECT_EQ(seen, "3,2,1,1,");
    EXPECT_EQ(height.text(), "1");

    ListBox list(form, {0, 100, 100, 80});
    list.setRowCount(3);
    list.setSelectedIndex(3); // past the last row: nothing
    EXPECT_EQ(list.selectedIndex(), -1);
    headless::chooseRow(list, 2);
    headless::keyDown(form, Keys::Down);
    EXPECT_EQ(list.selectedIndex(), 2);
    list.setRowCount(2);
    EXPECT_EQ(list.selectedIndex(), -1);

    CheckBox box(form, {0, 190, 100, 17}, "Show Icon Title");
    box.setEnabled(false);
    headless::click(box);
    box.setEnabled(true);
    headless::click(box);
    EXPECT_TRUE(box.checked());
    EXPECT_TRUE(box.focused());

    PageControl pages(form, {0, 0, 300, 200});
    Page first(pages, "Appearance"), second(pages, "General");
    CheckBox onSecond(second, {5, 5, 100, 17}, "Start up with Windows");
    headless::click(onSecond); // on a hidden page: no input
    EXPECT_FALSE(onSecond.checked());
    headless::click(second);
    headless::click(onSecond);
    EXPECT_EQ(pages.activePageIndex(), 1);
    EXPECT_FALSE(first.visible());
    EXPECT_TRUE(onSecond.checked());
}

TEST_F(ControlsTest, KeysInAnEditBoxReachTheFormFirstAndMayBeChangedOrSwallowed) {
    LoggingDialog dialog;
    UpDown arrows(dialog, dialog.edit);
    arrows.setPosition(5);
    dialog.edit.onKeyDown = [&](int& key, ShiftState) {
        dialog.log += "edit-down " + std::to_string(key) + ";";
        if (key == Keys::Up) key = Keys::Down; // the box gets Down instead
    };
    dialog.edit.onKeyPress = [&](char& key) {
        if (key == '!') key = 0;
    };
    dialog.show();
    ASSERT_TRUE(dialog.edit.focused()); // the first control that takes the focus
    dialog.log.clear();

    headless::keyDown(dialog, Keys::Up);
    EXPECT_EQ(arrows.position(), 4);
    dialog.swallowDown = true;
    headless::keyDown(dialog, Keys::Up);
    EXPECT_EQ(arrows.position(), 4);
    EXPECT_EQ(dialog.log, "form-down 38;edit-down 38;form-down 38;");

    dialog.edit.setText("abc");
    dialog.edit.select(1, 1);
    headless::typeText(dialog.edit, "X#!Y");
    EXPECT_EQ(dialog.edit.text(), "aXYc");
    dialog.swallowDown = false;
    headless::keyDown(dialog, Keys::Back);
    headless::keyDown(dialog, Keys::Back);
    EXPECT_EQ(dialog.edit.text(), "ac");
    dialog.edit.setReadOnly(true);
    headless::typeText(dialog.edit, "Z");
    EXPECT_EQ(dialog.edit.text(), "ac");

    headless::keyDown(dialog, Keys::Tab);
    EXPECT_TRUE(dialog.ok.focused());
    headless::keyDown(dialog, Keys::Tab, ShiftState{false, false, false, true});
    EXPECT_TRUE(dialog.edit.focused());
}

TEST_F(ControlsTest, AModalShowDisablesTheOtherFormsWhileEnterAndEscapeWorkItsButtons) {
    Form bar;
    bar.show();
    LoggingDialog dialog;
    int okPresses = 0, otherPresses = 0;
    dialog.ok.setDefault(true);
    dialog.ok.onClick = [&] { ++okPresses; };
    dialog.other.onClick = [&] { ++otherPresses; };

    headless::runInNextModalShow([&](Form& shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(dialog.showingModal());
        EXPECT_FALSE(bar.enabled());
        headless::keyDown(dialog, Keys::Return); // from the edit box: the default button
        dialog.other.setFocus();
        headless::keyDown(dialog, Keys::Return); // a focused button is pressed instead
        headless::keyDown(dialog, Keys::Escape); // no cancel button: the dialog stays open
        EXPECT_TRUE(dialog.visible());
        dialog.other.setCancel(true);
        headless::keyDown(dialog, Keys::Escape);
        EXPECT_FALSE(dialog.visible());
    });
    dialog.showModal();
    EXPECT_EQ(okPresses, 1);
    EXPECT_EQ(otherPresses, 2);
    EXPECT_TRUE(bar.enabled());
    EXPECT_FALSE(dialog.showingModal());
    EXPECT_EQ(dialog.log,
              "show;form-down 13;form-down 13;form-down 27;form-press \x1b;form-down 27;close;");

    // Enter without a default button reaches the focused box as a typed character; a script
    // that leaves the dialog open has it closed as by its close box.
    dialog.log.clear();
    dialog.ok.setDefault(false);
    headless::runInNextModalShow([&](Form&) {
        dialog.edit.setFocus();
        headless::keyDown(dialog, Keys::Return);
    });
    dialog.showModal();
    EXPECT_EQ(dialog.log, "show;form-down 13;form-press \r;close;");
}

TEST_F(ControlsTest, DialogsAnswerFromTheQueueAndRecordWhatWasAsked) {
    headless::answerNextFileDialog(std::string("C:\\Tools\\notepad.exe"));
    headless::answerNextColorDialog(0xBBFFFF);
    Font chosen;
    chosen.name = "Verdana";
    chosen.bold = true;
    headless::answerNextFontDialog(chosen);
    headless::answerNextInputBox(std::string("Games"));
    Font initial;
    initial.size = 12;

    EXPECT_EQ(chooseFile(nullptr), "C:\\Tools\\notepad.exe");
    EXPECT_EQ(chooseFile(nullptr), std::nullopt); // nothing queued: cancelled
    EXPECT_EQ(chooseColor(nullptr, Colors::White), 0xBBFFFF);
    EXPECT_EQ(chooseFont(nullptr, initial), chosen);
    EXPECT_EQ(inputBox("Change title", "Enter a title for the icon", "Old"), "Games");
    EXPECT_EQ(inputBox("Change title", "Enter a title for the icon", "Old"), "Old");

    const auto& asked = headless::dialogsShown();
    ASSERT_EQ(asked.size(), 6u);
    EXPECT_EQ(asked[2].kind, headless::DialogKind::Color);
    EXPECT_EQ(asked[2].initialColor, Colors::White);
    EXPECT_EQ(asked[3].initialFont, initial);
    EXPECT_EQ(asked[5].caption, "Change title");
    EXPECT_EQ(asked[5].prompt, "Enter a title for the icon");
    EXPECT_EQ(asked[5].initialText, "Old");

    headless::answerNextMessageBox(MessageBoxAnswer::Yes);
    EXPECT_TRUE(askYesNo(nullptr, "Delete Category  [ Games ] ?", "Delete Category"));
    EXPECT_FALSE(askYesNo(nullptr, "Delete Category  [ Games ] ?", "Delete Category"));
    showMessage("Cannot find help.htm");
    const auto& boxes = headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, "Delete Category");
    EXPECT_EQ(boxes[0].style, 0x104u);
    EXPECT_EQ(boxes[2].caption, applicationTitle());
    EXPECT_EQ(boxes[2].style, MessageBoxStyle::Ok);
}

TEST_F(ControlsTest, TheInputFormGivesTheTypedTextOnEnterAndTheInitialTextOnEscape) {
    InputForm form;
    headless::runInNextModalShow([&](Form& shown) {
        EXPECT_EQ(shown.caption(), "Change title");
        EXPECT_TRUE(shown.visible());
        // The initial text is selected, so typing replaces it.
        auto& box = static_cast<EditBox&>(*shown.focusedControl());
        headless::typeText(box, "Mail");
        headless::keyDown(shown, Keys::Return);
    });
    EXPECT_EQ(form.ask("Change title", "Enter a title", "Old"), "Mail");
    headless::runInNextModalShow([](Form& shown) {
        headless::typeText(static_cast<EditBox&>(*shown.focusedControl()), "Mail");
        headless::keyDown(shown, Keys::Escape);
    });
    EXPECT_EQ(form.ask("Change title", "Enter a title", "Old"), "Old");
    EXPECT_EQ(form.clientSize().width, 320);
    EXPECT_EQ(form.left(), (screenWidth() - form.width()) / 2);
}

} // namespace
