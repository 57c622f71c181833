// The category window's logic on the headless backend: placement under the bar, the order of
// click and button-up, dragging, hover repaints and hints, the context menus, the keyboard and
// what screen readers see, and pointers into the model that the model destroys.
#include "barwindow/Formbar.h"

#include "barwindow/Barpainter.h"

#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/barwindow/Barformfixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
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
    EXPECT_FALSE(barForm->visible());
    EXPECT_EQ(barForm->windowStyle(), platform::WindowStyle::Popup);
    EXPECT_TRUE(barForm->extendedStyle() & platform::ExtendedStyle::Topmost);
    EXPECT_TRUE(barForm->extendedStyle() & platform::ExtendedStyle::ToolWindow);

    headless::setScreenWidth(800);
    mainForm->setLeft(700);
    platform::runMessageLoop(*mainForm); // shown, so that the pointer's moves reach it
    headless::advanceTime(2000);         // up at its strip
    headless::movePointer(Point{740, 0});
    headless::advanceTime(200);
    ASSERT_EQ(mainForm->top(), 0);
    openWindow();
    // One pixel wider and two higher than the rows, which start at (1, 2).
    EXPECT_EQ(barForm->width(), barForm->rows().area().width + 1);
    EXPECT_EQ(barForm->height(), barForm->rows().area().bottom() + 2);
    EXPECT_EQ(barForm->left(), 800 - barForm->width());
    EXPECT_EQ(barForm->top(), 27);
    EXPECT_TRUE(mainForm->mainButton().down());

    // Dragging the bar moves the window along, clamped to the screen.
    mainForm->setLeft(-5);
    barForm->followMainWindow();
    EXPECT_EQ(barForm->left(), 0);
    mainForm->setLeft(800 - barForm->width());
    barForm->followMainWindow();
    EXPECT_EQ(barForm->left(), 800 - barForm->width());

    // While the window is open the bar stays down after the pointer has left.
    headless::movePointer(Point{500, 500});
    headless::advanceTime(1000);
    EXPECT_EQ(mainForm->top(), 0);
    mainForm->mainButton().onClick();
    EXPECT_FALSE(barForm->visible());
    EXPECT_FALSE(mainForm->mainButton().down());
    headless::advanceTime(1000);
    EXPECT_EQ(mainForm->top() + mainForm->height(), 1);
}

// Renamed while shown, a window grown near the right edge is placed again at once. On a work area
// narrower than a name and an icon its left edge still stays on the screen.
TEST_F(BarFormTest, AWindowThatChangesSizeWhileShownIsPlacedAgainWithinTheWorkArea) {
    start({{"Games", {"Mail"}}, {"Tools", {"Editor"}}});
    headless::setWorkArea(Rect{0, 0, 800, 740});
    mainForm->setLeft(700);
    openWindow();
    const int narrow = barForm->width();
    ASSERT_TRUE(barForm->renameCategory(&row(0), "Games and other ways to pass an afternoon"));
    ASSERT_GT(barForm->width(), narrow);
    EXPECT_EQ(barForm->left() + barForm->width(), 800);
    ASSERT_TRUE(barForm->renameCategory(&row(0), "Games"));
    EXPECT_EQ(barForm->left(), 800 - narrow);

    headless::setWorkArea(Rect{0, 0, 60, 740});
    barForm->followMainWindow();
    EXPECT_EQ(barForm->left(), 0);
}

TEST_F(BarFormTest, WithoutCategoriesTheWindowIsOneByFourAndAnyClickHidesIt) {
    start({});
    openWindow();
    EXPECT_EQ(barForm->width(), 1);
    EXPECT_EQ(barForm->height(), 4);
    click({0, 1});
    EXPECT_FALSE(barForm->visible());
}

TEST_F(BarFormTest, AHoverChangeRepaintsTheTwoCellsOnlyAndTheScreenMatchesAFullPaint) {
    start({{"Games", {"Mail", "Notes", "Paint"}}, {"Tools", {"Editor"}}});
    openWindow();
    headless::paint(*barForm);
    headless::clearRepaintedAreas(*barForm);

    headless::mouseMove(*barForm, centre(0, 0));
    EXPECT_EQ(headless::repaintedAreas(*barForm), (std::vector<Rect>{cell(0, 0)}));
    EXPECT_EQ(headless::shownHint(*barForm), "Mail");
    EXPECT_EQ(barForm->highlighted(), entry(0, 0));

    headless::clearRepaintedAreas(*barForm);
    headless::mouseMove(*barForm, {centre(0, 0).x + 3, centre(0, 0).y}); // same entry
    EXPECT_TRUE(headless::repaintedAreas(*barForm).empty());

    headless::mouseMove(*barForm, centre(0, 1));
    EXPECT_EQ(headless::repaintedAreas(*barForm), (std::vector<Rect>{cell(0, 0), cell(0, 1)}));
    EXPECT_EQ(headless::shownHint(*barForm), "Notes");
    EXPECT_EQ(barForm->currentIcon(), entry(0, 1));
    const headless::Raster afterHover = headless::screen(*barForm);
    const headless::Raster full = headless::paint(*barForm);
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x)
            ASSERT_EQ(afterHover.pixel(x, y), full.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(afterHover.icons.size(), full.icons.size());

    // The pixel between two cells belongs to neither: highlight and hint go.
    headless::clearRepaintedAreas(*barForm);
    headless::mouseMove(*barForm, {cell(0, 2).left, centre(0, 2).y});
    EXPECT_EQ(headless::repaintedAreas(*barForm), (std::vector<Rect>{cell(0, 1)}));
    EXPECT_EQ(headless::shownHint(*barForm), "");
    EXPECT_EQ(barForm->highlighted(), nullptr);
    EXPECT_EQ(barForm->currentIcon(), nullptr);
}

TEST_F(BarFormTest, AClickHidesTheWindowAndTheReleaseOnAnIconStartsIt) {
    start({{"Games", {"Mail", "Notes"}}, {"Tools", {"Editor"}}});
    openWindow();
    click(emptyPartOf(0));
    EXPECT_FALSE(barForm->visible());
    EXPECT_EQ(launches(), 0u);

    openWindow();
    headless::mouseMove(*barForm, centre(1, 0));
    click(centre(1, 0));
    EXPECT_FALSE(barForm->visible());
    EXPECT_FALSE(mainForm->mainButton().down());
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(headless::shellExecutions()[0].file, entry(1, 0)->GetLinkPath());
    EXPECT_EQ(headless::shellExecutions()[0].verb, "");
    EXPECT_EQ(barForm->highlighted(), nullptr);

    // Within the drag threshold a press still starts the icon it is released on.
    openWindow();
    const Point mail = centre(0, 0);
    headless::mouseMove(*barForm, mail);
    headless::mouseDown(*barForm, MouseButton::Left, mail);
    headless::mouseMove(*barForm, mail, leftHeld());
    headless::mouseMove(*barForm, {mail.x + 4, mail.y}, leftHeld());
    headless::mouseUp(*barForm, MouseButton::Left, {mail.x + 4, mail.y});
    EXPECT_EQ(launches(), 2u);
    EXPECT_EQ(headless::shellExecutions()[1].file, entry(0, 0)->GetLinkPath());

    // Seven pixels start a drag: the release neither hides nor starts anything.
    openWindow();
    headless::mouseMove(*barForm, mail);
    headless::mouseDown(*barForm, MouseButton::Left, mail);
    headless::mouseMove(*barForm, mail, leftHeld());
    headless::mouseMove(*barForm, {mail.x + 7, mail.y}, leftHeld());
    headless::mouseUp(*barForm, MouseButton::Left, {mail.x + 7, mail.y});
    EXPECT_TRUE(barForm->visible());
    EXPECT_EQ(launches(), 2u);

    // A drag released outside the window gives no click, so the next plain click is swallowed;
    // an icon still starts.
    headless::mouseDown(*barForm, MouseButton::Left, mail);
    headless::mouseMove(*barForm, mail, leftHeld());
    headless::mouseMove(*barForm, {mail.x, -30}, leftHeld());
    headless::mouseUp(*barForm, MouseButton::Left, {mail.x, -30});
    click(emptyPartOf(1));
    EXPECT_TRUE(barForm->visible());
    headless::mouseMove(*barForm, centre(0, 1));
    click(centre(0, 1));
    EXPECT_FALSE(barForm->visible());
    EXPECT_EQ(launches(), 3u);

    // A double click, and Escape, hide as well.
    openWindow();
    headless::doubleClick(*barForm, emptyPartOf(1));
    EXPECT_FALSE(barForm->visible());
    openWindow();
    headless::keyDown(*barForm, platform::Keys::Escape);
    EXPECT_FALSE(barForm->visible());
    EXPECT_EQ(launches(), 3u);
}

TEST_F(BarFormTest, ARightClickOpensTheIconsOrTheRowsMenuAndNothingElse) {
    start({{"Games", {"Mail"}}});
    openWindow();
    const auto menusShown = [] { return headless::menusShown().size(); };

    headless::mouseMove(*barForm, centre(0, 0));
    headless::mouseDown(*barForm, MouseButton::Right, centre(0, 0));
    headless::mouseUp(*barForm, MouseButton::Right, centre(0, 0));
    ASSERT_EQ(menusShown(), 1u);
    EXPECT_EQ(headless::menusShown()[0].captions,
              (std::vector<std::string>{"&Change title ...", "&Property ...", "-", "&Delete"}));
    EXPECT_EQ(headless::menusShown()[0].at,
              (Point{barForm->left() + centre(0, 0).x, barForm->top() + centre(0, 0).y}));
    EXPECT_EQ(barForm->currentIcon(), entry(0, 0));
    EXPECT_EQ(launches(), 0u);
    EXPECT_TRUE(barForm->visible());

    headless::chooseNextMenuItem("&Hide");
    headless::mouseDown(*barForm, MouseButton::Right, emptyPartOf(0));
    headless::mouseUp(*barForm, MouseButton::Right, emptyPartOf(0));
    ASSERT_EQ(menusShown(), 2u);
    EXPECT_EQ(headless::menusShown()[1].captions,
              (std::vector<std::string>{"&Hide", "-", "&Add Icon ...", "&New Category ...", "-",
                                        "&Rename ...", "&Background Color ...", "-",
                                        "&Delete Category", "-", "&Global Settings ...",
                                        "Check New &Version ...."}));
    EXPECT_EQ(barForm->currentBar(), manager->barAt(0));
    EXPECT_FALSE(barForm->visible());

    openWindow();
    headless::mouseUp(*barForm, MouseButton::Right, {0, 0}); // the frame
    headless::mouseUp(*barForm, MouseButton::Right, {emptyPartOf(0).x, rowRect(0).top});
    headless::contextMenuKey(*barForm);
    EXPECT_EQ(menusShown(), 2u);
}

TEST_F(BarFormTest, KeysMoveTheFocusShownAsTheHoverWhichEnterTheMenuKeyAndF2Use) {
    start({{"Games", {"Mail", "Notes", "Paint"}}, {"Tools", {"Editor", "Shell"}}});
    using Focus = TBarForm::KeyFocus;
    const auto focusOn = [this](int bar, int link) { return Focus{&row(bar), entry(bar, link)}; };
    const auto press = [this](int key, bool shift = false) {
        platform::ShiftState state;
        state.shift = shift;
        headless::keyDown(*barForm, key, state);
    };
    const auto screenIsWhole = [this] {
        const headless::Raster now = headless::screen(*barForm);
        const headless::Raster full = headless::paint(*barForm);
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                if (now.pixel(x, y) != full.pixel(x, y)) return false;
        return true;
    };
    namespace K = platform::Keys;

    // The pointer moves the focus, but without a key no rectangle shows.
    openWindow();
    headless::paint(*barForm);
    headless::mouseMove(*barForm, centre(0, 1));
    EXPECT_EQ(barForm->keyFocus(), focusOn(0, 1));
    EXPECT_FALSE(barForm->showsFocusRectangle());
    press(K::Escape);
    EXPECT_FALSE(barForm->visible());

    // Hiding forgets it: the first key takes the first icon.
    openWindow();
    headless::paint(*barForm);
    press(K::Right);
    EXPECT_EQ(barForm->keyFocus(), focusOn(0, 0));
    EXPECT_TRUE(barForm->showsFocusRectangle());
    EXPECT_EQ(barForm->highlighted(), entry(0, 0));
    EXPECT_EQ(headless::shownHint(*barForm), "Mail");
    EXPECT_EQ(headless::screen(*barForm).pixel(cell(0, 0).left + 1, cell(0, 0).top + 1),
              platform::Colors::Black);
    const std::vector<std::pair<int, Focus>> moves{
        {K::Right, focusOn(0, 1)}, {K::End, focusOn(0, 2)}, {K::Right, focusOn(0, 2)},
        {K::Down, focusOn(1, 1)},  {K::Up, focusOn(0, 1)},  {K::Home, focusOn(0, 0)},
        {K::Left, focusOn(0, 0)},  {K::Tab, {&row(0), nullptr}}, {K::Down, {&row(1), nullptr}},
        {K::Tab, focusOn(1, 0)}};
    for (const auto& [key, focus] : moves) {
        press(key);
        EXPECT_EQ(barForm->keyFocus(), focus) << "after key " << key;
        EXPECT_EQ(barForm->highlighted(), focus.entry);
        ASSERT_TRUE(screenIsWhole()) << "the old focus rectangle is gone after key " << key;
    }
    EXPECT_EQ(headless::accessibleFocusEvents(*barForm).back(), (headless::AccessibleFocus{1, 0}));

    // The menu key opens the focused icon's menu at the icon, or the focused row's menu.
    headless::contextMenuKey(*barForm);
    ASSERT_EQ(headless::menusShown().size(), 1u);
    EXPECT_EQ(headless::menusShown()[0].captions.front(), "&Change title ...");
    EXPECT_EQ(headless::menusShown()[0].at,
              (Point{barForm->left() + centre(1, 0).x, barForm->top() + centre(1, 0).y}));
    press(K::Tab, true);
    headless::contextMenuKey(*barForm);
    ASSERT_EQ(headless::menusShown().size(), 2u);
    EXPECT_EQ(headless::menusShown()[1].captions.front(), "&Hide");
    EXPECT_EQ(headless::accessibleFocusEvents(*barForm).back(), (headless::AccessibleFocus{-1, 1}));

    // F2 changes the focused icon's title; Enter starts it and hides the window.
    press(K::Tab);
    press(K::Right);
    headless::answerNextInputBox(std::string("Terminal"));
    press(K::F2);
    EXPECT_EQ(entry(1, 1)->GetTitle(), "Terminal");
    EXPECT_EQ(headless::shownHint(*barForm), "Terminal");
    press(K::Return);
    EXPECT_FALSE(barForm->visible());
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(headless::shellExecutions()[0].file, entry(1, 1)->GetLinkPath());
}

TEST_F(BarFormTest, ScreenReadersSeeTheRowsAsGroupsOfTheirIconsAndStartThem) {
    start({{"Games", {"Mail", "Notes"}}, {"Tools", {"Editor"}}});
    platform::AccessibleTree& tree = *headless::accessibleTree(*barForm);
    ASSERT_EQ(tree.accessibleCount(-1), 2);
    EXPECT_EQ(tree.accessibleCount(0), 2);
    EXPECT_EQ(tree.accessibleItem(-1, 1)->name, "Tools");
    EXPECT_EQ(tree.accessibleItem(-1, 1)->role, platform::AccessibleRole::Group);
    const std::optional<platform::AccessibleItem> notes = tree.accessibleItem(0, 1);
    EXPECT_EQ(notes->name, "Notes");
    EXPECT_EQ(notes->location, cell(0, 1));
    EXPECT_EQ(notes->defaultAction, "Start");
    EXPECT_FALSE(tree.accessibleItem(0, 2));
    EXPECT_FALSE(tree.accessibleDefaultAction(-1, 0));
    openWindow();
    ASSERT_TRUE(tree.accessibleDefaultAction(1, 0));
    EXPECT_FALSE(barForm->visible());
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(headless::shellExecutions()[0].file, entry(1, 0)->GetLinkPath());
}

TEST_F(BarFormTest, EntriesAndCategoriesTheModelDestroysAreNeverTouchedAgain) {
    start({{"Games", {"Mail", "Notes", "Paint"}}, {"Tools", {"Editor"}}});
    openWindow();
    Bar* games = manager->barAt(0);
    Bar* tools = manager->barAt(1);
    headless::mouseMove(*barForm, centre(0, 1));
    ASSERT_EQ(barForm->currentIcon(), entry(0, 1));
    games->RemoveLink(entry(0, 1));
    EXPECT_EQ(barForm->currentIcon(), nullptr);
    EXPECT_EQ(headless::shownHint(*barForm), "");
    barForm->updateLayout();
    headless::mouseMove(*barForm, centre(0, 0));
    headless::mouseMove(*barForm, emptyPartOf(0));

    // Moved into another category, the hovered entry is destroyed and a copy made there.
    headless::mouseMove(*barForm, centre(0, 1));
    ASSERT_EQ(barForm->currentIcon(), entry(0, 1));
    ASSERT_TRUE(MoveLink(games, entry(0, 1), tools, nullptr));
    EXPECT_EQ(barForm->currentIcon(), nullptr);
    barForm->updateLayout();
    headless::mouseMove(*barForm, centre(1, 1));
    EXPECT_EQ(barForm->currentIcon(), entry(1, 1));

    // The category under the pointer goes, with the entry hovered in it.
    ASSERT_TRUE(manager->deleteBar(tools));
    EXPECT_EQ(barForm->currentIcon(), nullptr);
    EXPECT_EQ(barForm->currentBar(), nullptr);
    barForm->updateLayout();
    headless::mouseMove(*barForm, centre(0, 0));
    click(centre(0, 0));
    EXPECT_EQ(launches(), 1u);
}

// Thirty rows are taller than the room below the bar: the window ends at the work area's bottom
// and scrolls by the wheel, Page Up and Page Down and to wherever the keyboard focus goes; what
// is under the pointer, clicked or started is what is drawn there; a new showing starts at the top.
TEST_F(BarFormTest, RowsTallerThanTheWorkAreaScrollAndEveryIconStaysReachable) {
    testing_support::Categories many;
    for (int i = 0; i < 30; ++i)
        many.push_back({"Row " + std::to_string(i), {"A" + std::to_string(i), "B" + std::to_string(i)}});
    start(many);
    openWindow();
    const Rect work = platform::workAreaAt({barForm->left(), barForm->top()});
    EXPECT_EQ(barForm->top() + barForm->height(), work.bottom());
    EXPECT_GT(rowRect(29).top, barForm->height()) << "the last row is out of view";
    headless::paint(*barForm);
    EXPECT_EQ(headless::screen(*barForm).pixel(barForm->width() - 6, 3), 0x808080u)
        << "the cue, in the shadow colour, at the top of its track";

    const Point pointer = centre(0, 0);
    headless::mouseMove(*barForm, pointer);
    headless::turnWheel(*barForm, pointer, -1); // towards the user: the rows move up
    EXPECT_EQ(barForm->scrollTop(), 48);
    EXPECT_EQ(barForm->highlighted(), entry(1, 0)) << "the row now under the pointer";
    EXPECT_TRUE(cell(1, 0).contains(pointer));
    // The pixels moved, the strip uncovered and the cue painted: what a fresh painting shows,
    // the hover that left its cell before the move included.
    const headless::Raster moved = headless::screen(*barForm);
    const headless::Raster fresh = headless::paint(*barForm);
    for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x)
            ASSERT_EQ(moved.pixel(x, y), fresh.pixel(x, y)) << x << "," << y;
    const auto iconsOn = [](const headless::Raster& raster) {
        std::vector<std::string> all;
        for (const auto& i : raster.icons)
            all.push_back(i.source + "@" + std::to_string(i.at.x) + "," + std::to_string(i.at.y));
        std::sort(all.begin(), all.end());
        return all;
    };
    EXPECT_EQ(iconsOn(moved), iconsOn(fresh));
    headless::turnWheel(*barForm, pointer, 2);
    EXPECT_EQ(barForm->scrollTop(), 0) << "not above the first row";
    headless::turnWheel(*barForm, pointer, -3);
    // Composed a band at a time in a picture far lower than the rows: each row in view (the
    // frame's columns and the cue's aside) shows what the painter draws for that row alone.
    const headless::Raster shown = headless::paint(*barForm);
    int rowsSeen = 0;
    for (int r = 0; rowRect(r).bottom() <= barForm->height() - 2; ++r) {
        if (rowRect(r).top < 2) continue;
        ++rowsSeen;
        const layout::Row& laidOut = *barForm->rows().rowOf(&row(r));
        platform::Bitmap alone(laidOut.rect.width, laidOut.rect.height);
        BarPainter painter(alone.canvas(), *manager, laidOut, barForm->highlighted(),
                           PaintMode::Normal, 0, 0);
        painter.drawCategory();
        painter.drawIcons();
        const headless::Raster& expected = headless::rasterOf(alone);
        const Point at{rowRect(r).left, rowRect(r).top};
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 1; x < expected.width() - 8; ++x)
                ASSERT_EQ(shown.pixel(at.x + x, at.y + y), expected.pixel(x, y))
                    << r << ": " << x << "," << y;
        // Texts and icons by their place in the row, the row's corner being at `corner`.
        const auto runsIn = [&](const headless::Raster& raster, Point corner) {
            std::vector<std::string> runs;
            const auto add = [&](Point p, const std::string& what) {
                const Point inRow{p.x - corner.x, p.y - corner.y};
                if (Rect{0, 0, expected.width(), expected.height()}.contains(inRow))
                    runs.push_back(what + "@" + std::to_string(inRow.x) + "," +
                                   std::to_string(inRow.y));
            };
            for (const auto& t : raster.texts) add(t.at, t.text);
            for (const auto& i : raster.icons) add(i.at, i.source);
            return runs;
        };
        EXPECT_EQ(runsIn(shown, at), runsIn(expected, {0, 0})) << "row " << r;
    }
    EXPECT_GT(rowsSeen * rowRect(0).height, 3 * 64) << "rows enough in view to cross bands";
    click(centre(4, 1));
    ASSERT_EQ(launches(), 1u);
    EXPECT_EQ(headless::shellExecutions()[0].file, entry(4, 1)->GetLinkPath());

    openWindow();
    EXPECT_EQ(barForm->scrollTop(), 0);
    headless::keyDown(*barForm, platform::Keys::PageDown, {});
    const int page = barForm->scrollTop();
    EXPECT_EQ(page, barForm->height() - 4 - 24);
    headless::keyDown(*barForm, platform::Keys::PageUp, {});
    EXPECT_EQ(barForm->scrollTop(), 0);
    // The first key takes the first icon, Tab its row's name, End the last name, Tab its icon.
    for (int key : {platform::Keys::Right, platform::Keys::Tab, platform::Keys::End, platform::Keys::Tab})
        headless::keyDown(*barForm, key, {});
    ASSERT_EQ(barForm->keyFocus().entry, entry(29, 0));
    EXPECT_EQ(cell(29, 0).bottom(), barForm->height() - 2) << "scrolled just far enough";
    EXPECT_EQ(headless::accessibleTree(*barForm)->accessibleItem(29, 0)->location, cell(29, 0));
    headless::keyDown(*barForm, platform::Keys::Return, {});
    ASSERT_EQ(launches(), 2u);
    EXPECT_EQ(headless::shellExecutions()[1].file, entry(29, 0)->GetLinkPath());
}

} // namespace
