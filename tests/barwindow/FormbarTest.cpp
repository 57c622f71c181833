// The category window's logic on the headless backend: placement under the bar, the order of
// click and button-up, dragging, hover repaints and hints, the context menus, and pointers into
// the model that the model destroys.
#include "barwindow/Formbar.h"

#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/barwindow/Barformfixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::MouseButton;
using platform::Point;
using platform::Rect;
namespace headless = platform::headless;
using barform_testing::BarFormTest;
using barform_testing::leftHeld;

TEST_F(BarFormTest, HangsUnderTheBarKeptOnTheScreenAndHoldsTheButtonDown) {
    start({{"Games", {"Mail", "Notes"}}, {"Tools", {"Editor"}}});
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(form->windowStyle(), platform::WindowStyle::Popup);
    EXPECT_TRUE(form->extendedStyle() & platform::ExtendedStyle::Topmost);
    EXPECT_TRUE(form->extendedStyle() & platform::ExtendedStyle::ToolWindow);

    headless::setScreenWidth(800);
    mainForm->setLeft(700);
    headless::advanceTime(2000); // up at its strip
    headless::setCursorPos(Point{740, 0});
    headless::advanceTime(200);
    ASSERT_EQ(mainForm->top(), 0);
    openWindow();
    // One pixel wider and two higher than the rows, which start at (1, 2).
    EXPECT_EQ(form->width(), manager->Width + 1);
    EXPECT_EQ(form->height(), manager->Height + 2);
    EXPECT_EQ(form->left(), 800 - form->width());
    EXPECT_EQ(form->top(), 27);
    EXPECT_TRUE(mainForm->mainButton().down());

    // Dragging the bar moves the window along, clamped to the screen.
    form->setLeftClamped(-5);
    EXPECT_EQ(form->left(), 0);
    form->setLeftClamped(800 - form->width());
    EXPECT_EQ(form->left(), 800 - form->width());

    // While the window is open the bar stays down after the pointer has left.
    headless::setCursorPos(Point{500, 500});
    headless::advanceTime(1000);
    EXPECT_EQ(mainForm->top(), 0);
    mainForm->mainButton().onClick();
    EXPECT_FALSE(form->visible());
    EXPECT_FALSE(mainForm->mainButton().down());
    headless::advanceTime(1000);
    EXPECT_EQ(mainForm->top() + mainForm->height(), 1);
}

TEST_F(BarFormTest, WithoutCategoriesTheWindowIsOneByFourAndAnyClickHidesIt) {
    start({});
    openWindow();
    EXPECT_EQ(form->width(), 1);
    EXPECT_EQ(form->height(), 4);
    click({0, 1});
    EXPECT_FALSE(form->visible());
}

TEST_F(BarFormTest, AHoverChangeRepaintsTheTwoCellsOnlyAndTheScreenMatchesAFullPaint) {
    start({{"Games", {"Mail", "Notes", "Paint"}}, {"Tools", {"Editor"}}});
    openWindow();
    headless::paint(*form);
    headless::clearRepaintedAreas(*form);

    headless::mouseMove(*form, centre(0, 0));
    EXPECT_EQ(headless::repaintedAreas(*form), (std::vector<Rect>{cell(0, 0)}));
    EXPECT_EQ(headless::shownHint(*form), "Mail");
    EXPECT_EQ(manager->barAt(0)->GetHighlighted(), entry(0, 0));

    headless::clearRepaintedAreas(*form);
    headless::mouseMove(*form, {centre(0, 0).x + 3, centre(0, 0).y}); // same entry
    EXPECT_TRUE(headless::repaintedAreas(*form).empty());

    headless::mouseMove(*form, centre(0, 1));
    EXPECT_EQ(headless::repaintedAreas(*form), (std::vector<Rect>{cell(0, 0), cell(0, 1)}));
    EXPECT_EQ(headless::shownHint(*form), "Notes");
    EXPECT_EQ(form->currentIcon(), entry(0, 1));
    const headless::Raster afterHover = headless::screen(*form);
    const headless::Raster full = headless::paint(*form);
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            ASSERT_EQ(afterHover.pixel(x, y), full.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(afterHover.icons.size(), full.icons.size());

    // The pixel between two cells belongs to neither: highlight and hint go.
    headless::clearRepaintedAreas(*form);
    headless::mouseMove(*form, {cell(0, 2).left, centre(0, 2).y});
    EXPECT_EQ(headless::repaintedAreas(*form), (std::vector<Rect>{cell(0, 1)}));
    EXPECT_EQ(headless::shownHint(*form), "");
    EXPECT_EQ(manager->barAt(0)->GetHighlighted(), nullptr);
    EXPECT_EQ(form->currentIcon(), nullptr);
}

TEST_F(BarFormTest, AClickHidesTheWindowAndTheReleaseOnAnIconStartsIt) {
    start({{"Games", {"Mail", "Notes"}}, {"Tools", {"Editor"}}});
    openWindow();
    click(emptyPartOf(0));
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(launches(), 0u);

    openWindow();
    headless::mouseMove(*form, centre(1, 0));
    click(centre(1, 0));
    EXPECT_FALSE(form->visible());
    EXPECT_FALSE(mainForm->mainButton().down());
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(headless::shellExecutions()[0].file, entry(1, 0)->GetLinkPath());
    EXPECT_EQ(headless::shellExecutions()[0].verb, "");
    EXPECT_EQ(manager->barAt(1)->GetHighlighted(), nullptr);

    // Within the drag threshold a press still starts the icon it is released on.
    openWindow();
    const Point mail = centre(0, 0);
    headless::mouseMove(*form, mail);
    headless::mouseDown(*form, MouseButton::Left, mail);
    headless::mouseMove(*form, mail, leftHeld());
    headless::mouseMove(*form, {mail.x + 4, mail.y}, leftHeld());
    headless::mouseUp(*form, MouseButton::Left, {mail.x + 4, mail.y});
    EXPECT_EQ(launches(), 2u);
    EXPECT_EQ(headless::shellExecutions()[1].file, entry(0, 0)->GetLinkPath());

    // Seven pixels start a drag: the release neither hides nor starts anything.
    openWindow();
    headless::mouseMove(*form, mail);
    headless::mouseDown(*form, MouseButton::Left, mail);
    headless::mouseMove(*form, mail, leftHeld());
    headless::mouseMove(*form, {mail.x + 7, mail.y}, leftHeld());
    headless::mouseUp(*form, MouseButton::Left, {mail.x + 7, mail.y});
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(launches(), 2u);

    // A drag released outside the window gives no click, so the next plain click is swallowed;
    // an icon still starts.
    headless::mouseDown(*form, MouseButton::Left, mail);
    headless::mouseMove(*form, mail, leftHeld());
    headless::mouseMove(*form, {mail.x, -30}, leftHeld());
    headless::mouseUp(*form, MouseButton::Left, {mail.x, -30});
    click(emptyPartOf(1));
    EXPECT_TRUE(form->visible());
    headless::mouseMove(*form, centre(0, 1));
    click(centre(0, 1));
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(launches(), 3u);

    // A double click, and Escape, hide as well.
    openWindow();
    headless::doubleClick(*form, emptyPartOf(1));
    EXPECT_FALSE(form->visible());
    openWindow();
    headless::keyDown(*form, platform::Keys::Escape);
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(launches(), 3u);
}

TEST_F(BarFormTest, ARightClickOpensTheIconsOrTheRowsMenuAndNothingElse) {
    start({{"Games", {"Mail"}}});
    openWindow();
    const auto menusShown = [] { return headless::menusShown().size(); };

    headless::mouseMove(*form, centre(0, 0));
    headless::mouseDown(*form, MouseButton::Right, centre(0, 0));
    headless::mouseUp(*form, MouseButton::Right, centre(0, 0));
    ASSERT_EQ(menusShown(), 1u);
    EXPECT_EQ(headless::menusShown()[0].captions,
              (std::vector<std::string>{"&Change title ...", "&Property ...", "-", "&Delete"}));
    EXPECT_EQ(headless::menusShown()[0].at,
              (Point{form->left() + centre(0, 0).x, form->top() + centre(0, 0).y}));
    EXPECT_EQ(form->currentIcon(), entry(0, 0));
    EXPECT_EQ(launches(), 0u);
    EXPECT_TRUE(form->visible());

    headless::chooseNextMenuItem("&Hide");
    headless::mouseDown(*form, MouseButton::Right, emptyPartOf(0));
    headless::mouseUp(*form, MouseButton::Right, emptyPartOf(0));
    ASSERT_EQ(menusShown(), 2u);
    EXPECT_EQ(headless::menusShown()[1].captions,
              (std::vector<std::string>{"&Hide", "-", "&Add Icon ...", "&New Category ...", "-",
                                        "&Rename ...", "&Background Color ...", "-",
                                        "&Delete Category", "-", "&Global Settings ...",
                                        "Check New &Version ...."}));
    EXPECT_EQ(form->currentBar(), manager->barAt(0));
    EXPECT_FALSE(form->visible());

    openWindow();
    headless::mouseUp(*form, MouseButton::Right, {0, 0}); // the frame
    headless::mouseUp(*form, MouseButton::Right, {emptyPartOf(0).x, manager->barAt(0)->Top});
    headless::contextMenuKey(*form);
    EXPECT_EQ(menusShown(), 2u);
}

TEST_F(BarFormTest, EntriesAndCategoriesTheModelDestroysAreNeverTouchedAgain) {
    start({{"Games", {"Mail", "Notes", "Paint"}}, {"Tools", {"Editor"}}});
    openWindow();
    Bar* games = manager->barAt(0);
    Bar* tools = manager->barAt(1);
    headless::mouseMove(*form, centre(0, 1));
    ASSERT_EQ(form->currentIcon(), entry(0, 1));
    games->RemoveLink(entry(0, 1));
    EXPECT_EQ(form->currentIcon(), nullptr);
    EXPECT_EQ(headless::shownHint(*form), "");
    manager->layout();
    headless::mouseMove(*form, centre(0, 0));
    headless::mouseMove(*form, emptyPartOf(0));

    // Moved into another category, the hovered entry is destroyed and a copy made there.
    headless::mouseMove(*form, centre(0, 1));
    ASSERT_EQ(form->currentIcon(), entry(0, 1));
    ASSERT_TRUE(MoveLink(games, entry(0, 1), tools, nullptr));
    EXPECT_EQ(form->currentIcon(), nullptr);
    form->updateLayout();
    headless::mouseMove(*form, centre(1, 1));
    EXPECT_EQ(form->currentIcon(), entry(1, 1));

    // The category under the pointer goes, with the entry hovered in it.
    ASSERT_TRUE(manager->deleteBar(tools));
    EXPECT_EQ(form->currentIcon(), nullptr);
    EXPECT_EQ(form->currentBar(), nullptr);
    form->updateLayout();
    headless::mouseMove(*form, centre(0, 0));
    click(centre(0, 0));
    EXPECT_EQ(launches(), 1u);
}

} // namespace
