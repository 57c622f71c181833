#include "mainbutton/Formmain.h"

#include "app/App.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessprocess.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

namespace {

using platform::Point;
namespace headless = platform::headless;

constexpr platform::Color kButtonShadow = 0x808080; // as the headless screen shows it

// Stands in for the category window: shows and hides as the real one does, pressing and
// releasing the main button, and records where it was asked to go.
class FakeCategoryWindow : public CategoryWindow {
public:
    explicit FakeCategoryWindow(TMainForm& mainForm) : mainForm_(mainForm) {}
    bool isShown() const override { return shown; }
    void showWindow() override {
        shown = true;
        mainForm_.pressButton();
    }
    void hideWindow() override {
        shown = false;
        mainForm_.releaseButton();
    }
    void followMainWindow() override { followedLefts.push_back(mainForm_.left()); }

    bool shown = false;
    std::vector<int> followedLefts;

private:
    TMainForm& mainForm_;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWorld();
        headless::setCursorPos(Point{600, 600});
    }
    void TearDown() override { headless::setTextMetrics(nullptr); }

    // A main window reading the settings file of the temporary folder, as start-up makes it.
    std::unique_ptr<TMainForm> makeForm(const std::string& settings = "") {
        if (!settings.empty()) folder.write("settings.txt", settings);
        return platform::createForm<TMainForm>(folder.file("settings.txt"));
    }

    // The same, shown as start-up shows it, so that the pointer's moves reach it.
    std::unique_ptr<TMainForm> makeShownForm() {
        auto form = makeForm();
        platform::runMessageLoop(*form);
        return form;
    }

    static int bottom(const TMainForm& form) { return form.top() + form.height(); }

    testing_support::TempFolder folder;
};

TEST_F(MainFormTest, StartsAsAYellowBorderlessTopmostBar150PixelsBelowItsStrip) {
    auto form = makeForm();
    EXPECT_EQ(form->bounds(), (platform::Rect{0, 124, 80, 27}));
    EXPECT_EQ(form->color(), platform::Colors::Yellow);
    EXPECT_EQ(form->windowStyle(), platform::WindowStyle::Popup);
    EXPECT_TRUE(form->extendedStyle() & platform::ExtendedStyle::Topmost);
    EXPECT_TRUE(form->extendedStyle() & platform::ExtendedStyle::ToolWindow);
    EXPECT_FALSE(form->visible());

    platform::runMessageLoop(*form);
    EXPECT_TRUE(form->visible());
    EXPECT_TRUE(headless::isTopmost(*form));
}

TEST_F(MainFormTest, GlidesUpToItsStripIn30Ticks) {
    auto form = makeForm();
    headless::advanceTime(29 * 50);
    EXPECT_EQ(bottom(*form), 6);
    headless::advanceTime(50);
    EXPECT_EQ(bottom(*form), 1);
    headless::advanceTime(500);
    EXPECT_EQ(bottom(*form), 1);
}

TEST_F(MainFormTest, PointerOnTheStripBringsTheBarDownAndLeavingSendsItBack) {
    auto form = makeShownForm();
    headless::advanceTime(1500);
    headless::movePointer(Point{40, 0});
    headless::advanceTime(150);
    EXPECT_EQ(bottom(*form), 27);

    headless::movePointer(Point{40, 300});
    headless::advanceTime(50);
    EXPECT_EQ(bottom(*form), 22);
    headless::advanceTime(250);
    EXPECT_EQ(bottom(*form), 1);
}

// Down, the bar holds while the pointer is on its edges, also the row and column just past them.
TEST_F(MainFormTest, PointerCountsAsOverOnTheWindowsEdgesOnly) {
    const struct {
        Point pointer;
        int expectedDirection;
    } cases[] = {
        {{80, 27}, MainFormAnimater::Showing}, {{0, 0}, MainFormAnimater::Showing},
        {{81, 10}, MainFormAnimater::Hiding},  {{40, 28}, MainFormAnimater::Hiding},
        {{-1, 0}, MainFormAnimater::Hiding},
    };
    for (const auto& c : cases) {
        auto form = makeShownForm();
        headless::movePointer({40, 10}); // met by the bar gliding up, which comes down
        headless::advanceTime(3000);
        ASSERT_EQ(bottom(*form), 27);
        headless::movePointer(c.pointer);
        headless::advanceTime(10);
        EXPECT_EQ(form->animater().direction, c.expectedDirection)
            << c.pointer.x << "," << c.pointer.y;
    }
}

// Nothing is timed while nothing moves: the slide runs while the bar is on its way, the pointer
// is looked at while the bar moves or is down for the pointer alone and the system would not
// say that the pointer left.
TEST_F(MainFormTest, TimersRunOnlyWhileTheBarMovesOrWaitsForThePointerToLeave) {
    auto form = makeShownForm();
    FakeCategoryWindow categories(*form);
    form->setCategoryWindow(&categories);
    EXPECT_EQ(headless::runningTimers(), 2) << "gliding up at start";
    headless::advanceTime(1500);
    EXPECT_EQ(headless::runningTimers(), 0) << "hidden";

    headless::movePointer({40, 0});
    EXPECT_EQ(headless::runningTimers(), 2) << "the move onto the strip starts the slide down";
    headless::advanceTime(150);
    ASSERT_EQ(bottom(*form), 27);
    EXPECT_EQ(headless::runningTimers(), 0) << "down under the pointer, the leave is told";
    headless::movePointer({80, 27});
    EXPECT_EQ(headless::runningTimers(), 1) << "on the corner just outside: looked at";
    headless::advanceTime(500);
    EXPECT_EQ(bottom(*form), 27);
    headless::movePointer({40, 10});
    EXPECT_EQ(headless::runningTimers(), 0);

    categories.showWindow();
    headless::movePointer({500, 500});
    EXPECT_EQ(headless::runningTimers(), 0) << "held down by the category window";
    headless::advanceTime(1000);
    EXPECT_EQ(bottom(*form), 27);
    categories.hideWindow();
    headless::advanceTime(10);
    EXPECT_EQ(headless::runningTimers(), 2) << "sliding up";
    headless::advanceTime(300);
    EXPECT_EQ(bottom(*form), 1);
    EXPECT_EQ(headless::runningTimers(), 0);

    form->setVisibleHeight(9); // from the settings dialog
    headless::advanceTime(50);
    EXPECT_EQ(bottom(*form), 9) << "the hidden bar slides to its new strip";
    EXPECT_EQ(headless::runningTimers(), 0);
    form->setVisibleHeight(1);
    headless::advanceTime(50);

    categories.showWindow(); // by the hot key, with the bar hidden
    headless::movePointer({10, 0});
    headless::advanceTime(150);
    EXPECT_EQ(bottom(*form), 27);
    headless::movePointer({500, 500});
    headless::advanceTime(1000);
    EXPECT_EQ(headless::runningTimers(), 0);
    EXPECT_EQ(bottom(*form), 27);
}

TEST_F(MainFormTest, UnreadablePointerCountsAsAway) {
    auto form = makeForm();
    headless::setCursorPos(Point{40, 130});
    headless::advanceTime(10);
    ASSERT_EQ(form->animater().direction, MainFormAnimater::Showing);
    headless::setCursorPos(std::nullopt);
    headless::advanceTime(10);
    EXPECT_EQ(form->animater().direction, MainFormAnimater::Hiding);
}

TEST_F(MainFormTest, WhileAModalDialogDisablesItTheStripStillBringsTheBarDown) {
    auto form = makeShownForm();
    headless::advanceTime(1500);
    platform::Form dialog(platform::FormKind::Dialog);
    dialog.setBounds({300, 300, 200, 100});
    headless::runInNextModalShow([&](platform::Form&) {
        ASSERT_FALSE(form->enabled());
        headless::movePointer({30, 0});
        headless::advanceTime(150);
        EXPECT_EQ(bottom(*form), 27);
        headless::movePointer({600, 600});
        headless::advanceTime(300);
        EXPECT_EQ(bottom(*form), 1);
    });
    dialog.showModal();
}

TEST_F(MainFormTest, OpenCategoryWindowHoldsTheBarDown) {
    auto form = makeShownForm();
    FakeCategoryWindow categories(*form);
    form->setCategoryWindow(&categories);
    headless::movePointer(Point{40, 0});
    headless::advanceTime(1500);
    ASSERT_EQ(bottom(*form), 27);

    categories.showWindow();
    headless::movePointer(Point{500, 500});
    headless::advanceTime(1000);
    EXPECT_EQ(bottom(*form), 27);

    categories.hideWindow();
    headless::advanceTime(50);
    EXPECT_EQ(bottom(*form), 22);
}

TEST_F(MainFormTest, ReadsColourAndVisibleHeightFromItsSection) {
    const struct {
        const char* settings;
        platform::Color color;
        int hiddenBottom;
    } cases[] = {
        {"[KestrumButton]\nColor=255\nVisibleHeight=5\n", 255, 5},
        {"[kestrumbutton]\ncolor=0x00FF00\nvisibleheight=26\n", 0x00FF00, 26},
        {"[KestrumButton]\nColor=-2147483633\n", platform::Colors::SystemBase + 15, 1},
        {"[KestrumButton]\nColor=red\nVisibleHeight=27\n", platform::Colors::Yellow, 1},
        {"[KestrumButton]\nVisibleHeight=0\n", platform::Colors::Yellow, 1},
        {"[KestrumButton]\nVisibleHeight=-4\n", platform::Colors::Yellow, 1},
        {"[Other]\nColor=255\nVisibleHeight=5\n", platform::Colors::Yellow, 1},
    };
    for (const auto& c : cases) {
        auto form = makeForm(c.settings);
        EXPECT_EQ(form->color(), c.color) << c.settings;
        EXPECT_EQ(form->animater().hiddenBottom, c.hiddenBottom) << c.settings;
        EXPECT_EQ(form->top(), 124) << "the start place does not depend on the settings";
    }
}

TEST_F(MainFormTest, SavesColourAndVisibleHeightBesideOtherSettings) {
    auto form = makeForm("[Kestrum]\nAutoRun=0\n");
    form->setColor(0x123456);
    form->setVisibleHeight(9);
    form->saveButtonSettings();

    const platform::IniFile settings(folder.file("settings.txt"));
    EXPECT_EQ(settings.readString("KestrumButton", "Color", ""), "1193046");
    EXPECT_EQ(settings.readString("KestrumButton", "VisibleHeight", ""), "9");
    EXPECT_EQ(settings.readString("Kestrum", "AutoRun", ""), "0");

    auto reloaded = makeForm();
    EXPECT_EQ(reloaded->color(), 0x123456);
    EXPECT_EQ(reloaded->animater().hiddenBottom, 9);
}

TEST_F(MainFormTest, SavingToAFolderThatIsGoneThrows) {
    auto form = platform::createForm<TMainForm>(folder.file("missing") + "\\settings.txt");
    EXPECT_THROW(form->saveButtonSettings(), platform::IniWriteError);
}

// Each tick: the screen width during the tick, then the bar's left edge after it.
struct ScreenCase {
    const char* name;
    int startLeft;
    std::vector<std::pair<int, int>> ticks;
};

const ScreenCase kScreenCases[] = {
    {"wide screen: nothing moves", 200, {{1024, 200}, {650, 200}}},
    {"a narrow screen pushes the bar off once and keeps it off",
     200,
     {{649, -2800}, {649, -2800}, {300, -2800}}},
    {"back in its place once the screen is wide again",
     200,
     {{649, -2800}, {1024, 200}, {649, -2800}, {650, 200}}},
    {"back at 0 when its old place is off the wider screen", 600, {{649, -2400}, {660, 0}}},
};

TEST_F(MainFormTest, ScreenWatcherPushesTheBarOffNarrowScreensUntilTheyWidenAgain) {
    for (const ScreenCase& screenCase : kScreenCases) {
        auto form = makeForm();
        form->setLeft(screenCase.startLeft);
        std::vector<int> lefts, expected;
        for (const auto& [screenWidth, left] : screenCase.ticks) {
            headless::setScreenWidth(screenWidth);
            headless::advanceTime(500);
            lefts.push_back(form->left());
            expected.push_back(left);
        }
        EXPECT_EQ(lefts, expected) << screenCase.name;
    }
}

TEST_F(MainFormTest, ScreenWatcherBringsBackABarDraggedOffTheLeftEdge) {
    const struct {
        int left;
        int screenWidth;
        int expectedLeft;
    } cases[] = {{-90, 1024, 0},     {-81, 1024, 0},   {-80, 1024, -80},  {-3000, 1024, 0},
                 {-2500, 1024, 500}, {-2000, 1024, 0}, {1500, 1024, 1500}};
    for (const auto& c : cases) {
        auto form = makeForm();
        form->setLeft(c.left);
        headless::setScreenWidth(c.screenWidth);
        headless::advanceTime(500);
        EXPECT_EQ(form->left(), c.expectedLeft) << c.left;
    }
}

TEST_F(MainFormTest, DraggingTheHandleMovesTheBarAndTheCategoryWindowSideways) {
    auto form = makeForm();
    FakeCategoryWindow categories(*form);
    form->setCategoryWindow(&categories);
    platform::ShiftState held;
    held.leftButton = true;

    headless::mouseDown(*form, platform::MouseButton::Left,
                        {74, 10});              // the handle has the pointer now
    headless::mouseMove(*form, {74, 10}, held); // press point
    headless::mouseMove(*form, {75, 10}, held); // begins the drag
    EXPECT_EQ(form->left(), 0);
    headless::mouseMove(*form, {80, 12}, held);
    EXPECT_EQ(form->left(), 6);
    EXPECT_EQ(form->top(), 124);
    headless::mouseMove(*form, {70, 12}, held); // over the button, but still the handle's
    EXPECT_EQ(form->left(), 2);
    headless::mouseUp(*form, platform::MouseButton::Left, {70, 12});
    EXPECT_EQ(categories.followedLefts, (std::vector<int>{6, 2}));
    EXPECT_FALSE(form->dragHelper().dragging);
}

TEST_F(MainFormTest, MovesOverTheButtonDoNotDrag) {
    auto form = makeForm();
    platform::ShiftState held;
    held.leftButton = true;
    headless::mouseMove(*form, {10, 10}, held);
    headless::mouseMove(*form, {30, 10}, held);
    EXPECT_FALSE(form->dragHelper().pressed);
    EXPECT_FALSE(form->dragHelper().started);
    EXPECT_EQ(form->left(), 0);
}

TEST_F(MainFormTest, ButtonClickTogglesTheCategoryWindowAndMirrorsIt) {
    auto form = makeForm();
    auto click = [&form] {
        headless::mouseDown(*form, platform::MouseButton::Left, {20, 10});
        headless::mouseUp(*form, platform::MouseButton::Left, {20, 10});
    };
    click(); // no category window yet: nothing to open, the button stays up
    EXPECT_FALSE(form->mainButton().down());

    FakeCategoryWindow categories(*form);
    form->setCategoryWindow(&categories);
    click();
    EXPECT_TRUE(categories.shown);
    EXPECT_TRUE(form->mainButton().down());
    click();
    EXPECT_FALSE(categories.shown);
    EXPECT_FALSE(form->mainButton().down());

    click();
    headless::keyDown(*form, platform::Keys::Escape);
    EXPECT_FALSE(categories.shown);
    EXPECT_FALSE(form->mainButton().down());
}

TEST_F(MainFormTest, PaintsTheBarAndTheButtonPressedOrReleased) {
    auto form = makeForm("[KestrumButton]\nColor=255\n");
    platform::headless::Raster released = headless::paint(*form);
    EXPECT_EQ(released.count({70, 0, 3, 27}, 255), 3 * 27) << "between button and handle";
    EXPECT_EQ(released.count({76, 0, 4, 27}, 255), 4 * 27) << "right of the handle";
    EXPECT_EQ(released.pixel(0, 0), platform::Colors::White);
    EXPECT_EQ(released.pixel(69, 24), kButtonShadow);
    EXPECT_EQ(released.pixel(73, 2), platform::Colors::White) << "the handle's raised edge";
    ASSERT_EQ(released.texts.size(), 1u);
    EXPECT_EQ(released.texts[0].text, "Kestrum");
    EXPECT_EQ(released.texts[0].font.name, "Verdana");
    EXPECT_TRUE(released.texts[0].font.bold);

    form->pressButton();
    platform::headless::Raster pressed = headless::paint(*form);
    EXPECT_EQ(pressed.pixel(0, 0), kButtonShadow);
    EXPECT_EQ(pressed.pixel(69, 24), platform::Colors::White);
}

// Whatever the font measures, pressing moves the caption by one pixel each way and no more.
TEST_F(MainFormTest, PressedCaptionSitsOnePixelRightOfAndBelowItsCentredPlace) {
    const struct {
        int textHeight;
        Point centred;
    } cases[] = {{13, {14, 6}}, {14, {14, 5}}, {16, {14, 4}}, {9, {14, 8}}};
    for (const auto& c : cases) {
        headless::setTextMetrics([&c](const platform::Font&, std::string_view text) {
            return platform::Size{static_cast<int>(text.size()) * 6, c.textHeight};
        });
        auto form = makeForm();
        const platform::headless::Raster released = headless::paint(*form);
        form->pressButton();
        const platform::headless::Raster pressed = headless::paint(*form);
        ASSERT_EQ(released.texts.size(), 1u);
        ASSERT_EQ(pressed.texts.size(), 1u);
        EXPECT_EQ(released.texts[0].at, c.centred) << c.textHeight;
        EXPECT_EQ(pressed.texts[0].at, (Point{c.centred.x + 1, c.centred.y + 1})) << c.textHeight;
    }
}

TEST_F(MainFormTest, PointerShapesOfButtonAndHandle) {
    auto form = makeForm();
    EXPECT_EQ(form->cursorAt({10, 10}), platform::Cursor::Arrow);
    EXPECT_EQ(form->cursorAt({74, 10}), platform::Cursor::SizeAll);
    EXPECT_EQ(form->cursorAt({78, 10}), platform::Cursor::Default);
}

TEST_F(MainFormTest, EndingTheSessionClosesTheProgramAfterTheAnswer) {
    auto form = makeForm();
    platform::runMessageLoop(*form);
    EXPECT_TRUE(headless::queryEndSession(*form));
    EXPECT_FALSE(headless::quitRequested()) << "the close is posted, not done while Windows waits";
    headless::deliverPostedMessages();
    EXPECT_TRUE(headless::quitRequested());
    EXPECT_FALSE(form->visible());
}

// The main menu as a user meets it: opened by a right click on the button or the bar, with the
// language file's captions, each item doing its job, Exit last.
TEST_F(MainFormTest, MainMenuOpensAtThePointerAndEachItemDoesItsJob) {
    folder.write("Kestrum.lang", "[Strings]\r\nMainForm_Help=Hilfe\r\nMainForm_Exit=Beenden\r\n");
    folder.write("help.htm", "<html></html>");
    App app(folder.file("Kestrum.exe"));
    auto form = platform::createForm<TMainForm>(folder.file("settings.txt"), theLanguage);
    form->setProgram(&app);
    FakeCategoryWindow categories(*form);
    form->setCategoryWindow(&categories);
    platform::runMessageLoop(*form);
    headless::advanceTime(1500); // the bar at its strip: top -26

    auto choose = [&](const std::string& caption, Point at) {
        headless::chooseNextMenuItem(caption);
        headless::mouseDown(*form, platform::MouseButton::Right, at);
        headless::mouseUp(*form, platform::MouseButton::Right, at);
    };
    auto& opened = headless::openedDocuments();
    opened.clear();
    choose("Hilfe", {10, 20}); // on the button
    ASSERT_EQ(headless::menusShown().size(), 1u);
    EXPECT_EQ(headless::menusShown()[0].captions,
              (std::vector<std::string>{"&About Kestrum", "Check New &Version...", "Hilfe", "-",
                                        "&New Category ...", "&Global Settings ...", "-",
                                        "Beenden"}));
    EXPECT_EQ(headless::menusShown()[0].at, (Point{10, -6}));
    EXPECT_EQ(opened, (std::vector<std::string>{folder.file("help.htm")}));
    EXPECT_TRUE(headless::messageBoxes().empty());

    ASSERT_TRUE(platform::deleteFile(folder.file("help.htm")));
    choose("Hilfe", {78, 20}); // beside the handle
    EXPECT_EQ(headless::menusShown()[1].at, (Point{78, -6}));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "Cannot find help.htm");
    EXPECT_EQ(headless::messageBoxes()[0].style, platform::MessageBoxStyle::Ok);

    choose("Check New &Version...", {10, 20});
    EXPECT_EQ(opened.back(), app.homePage);

    // The dialogs' items do nothing until start-up gives them their windows.
    const char* const dialogItems[] = {"&About Kestrum", "&New Category ...", "&Global Settings ..."};
    for (const char* item : dialogItems)
        choose(item, {10, 20});
    std::vector<std::string> ran;
    form->onAbout = [&] { ran.push_back("&About Kestrum"); };
    form->onNewCategory = [&] { ran.push_back("&New Category ..."); };
    form->onGlobalSettings = [&] { ran.push_back("&Global Settings ..."); };
    for (const char* item : dialogItems)
        choose(item, {10, 20});
    EXPECT_EQ(ran, std::vector<std::string>(std::begin(dialogItems), std::end(dialogItems)));
    EXPECT_EQ(opened.size(), 3u) << "nothing else went to the shell";

    categories.showWindow();
    choose("Beenden", {10, 20});
    EXPECT_FALSE(categories.shown);
    EXPECT_FALSE(form->mainButton().down());
    EXPECT_FALSE(form->visible());
    EXPECT_TRUE(headless::quitRequested());
}

} // namespace
