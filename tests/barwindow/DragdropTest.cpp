// Dragging inside the category window and files dropped on it, on the headless backend.
#include "barwindow/Formbar.h"

#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/barwindow/Barformfixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using barform_testing::BarFormTest;
using barform_testing::leftHeld;
using platform::Cursor;
using platform::MouseButton;
using platform::Point;
namespace headless = platform::headless;
using Names = std::vector<std::string>;

class DragDropTest : public BarFormTest {
protected:
    // Presses at `from` and moves just past the drag threshold.
    void beginDrag(Point from) {
        headless::mouseDown(*barForm, MouseButton::Left, from);
        headless::mouseMove(*barForm, from, leftHeld());
        headless::mouseMove(*barForm, {from.x + 7, from.y}, leftHeld());
    }
    void moveHeld(Point to) { headless::mouseMove(*barForm, to, leftHeld()); }
    void releaseAt(Point to) {
        moveHeld(to);
        headless::mouseUp(*barForm, MouseButton::Left, to);
    }
    void drag(Point from, Point to) {
        beginDrag(from);
        releaseAt(to);
    }
    Names titles(int bar) const {
        Names names;
        for (const auto& link : manager->barAt(bar)->Links)
            names.push_back(link->GetTitle());
        return names;
    }
};

TEST_F(DragDropTest, AnIconGoesInFrontOfTheIconItIsDroppedOnOrToTheEndOfItsRow) {
    start({{"Games", {"Mail", "Notes", "Paint"}}});
    openWindow();
    const Point mail = centre(0, 0);
    beginDrag(mail);
    moveHeld({mail.x + 1, mail.y});
    EXPECT_EQ(headless::pointerShape(), Cursor::NoDrop) << "over its own cell";
    const Point notes = centre(0, 1);
    moveHeld(notes);
    moveHeld({notes.x + 1, notes.y});
    EXPECT_EQ(headless::pointerShape(), Cursor::Drag);
    ASSERT_FALSE(headless::screen(*barForm).icons.empty());
    EXPECT_EQ(headless::screen(*barForm).icons.back().at, (Point{notes.x + 1 - 8, notes.y - 8}));
    releaseAt(notes);
    EXPECT_EQ(headless::pointerShape(), Cursor::Default);
    EXPECT_EQ(titles(0), (Names{"Mail", "Notes", "Paint"}));
    drag(mail, centre(0, 2));
    EXPECT_EQ(titles(0), (Names{"Notes", "Mail", "Paint"}));
    drag(centre(0, 1), emptyPartOf(0));
    EXPECT_EQ(titles(0), (Names{"Notes", "Paint", "Mail"}));

    // A press on the frame drags nothing, and its release does not hide the window either.
    drag({0, mail.y}, notes);
    EXPECT_EQ(titles(0), (Names{"Notes", "Paint", "Mail"}));
    EXPECT_TRUE(barForm->visible());
}

TEST_F(DragDropTest, ARowGoesAboveTheRowItIsDroppedOnOrSwapsWithTheOneBelow) {
    start({{"Games", {"Mail"}}, {"Tools", {}}, {"Work", {}}});
    openWindow();
    const auto rows = [this] {
        Names names;
        for (const auto& bar : manager->bars)
            names.push_back(bar->GetName());
        return names;
    };
    drag(emptyPartOf(0), emptyPartOf(1));
    EXPECT_EQ(rows(), (Names{"Tools", "Games", "Work"}));
    drag(emptyPartOf(0), emptyPartOf(1));
    drag(emptyPartOf(2), emptyPartOf(0));
    EXPECT_EQ(rows(), (Names{"Work", "Games", "Tools"}));
}

TEST_F(DragDropTest, TheFirstDroppedFileBecomesAnIconWhereItIsDroppedOnARow) {
    start({{"Games", {"Mail", "Notes"}}});
    openWindow();
    const std::string a = folder.write("a.txt", "a");
    const std::string b = folder.write("b.txt", "b");
    EXPECT_TRUE(headless::dragFiles(*barForm, {a, b}, {emptyPartOf(0), centre(0, 1)}));
    headless::dragFiles(*barForm, {b}, {emptyPartOf(0)});
    headless::dragFiles(*barForm, {b}, {{0, 0}});
    headless::dragFiles(*barForm, {b}, {{emptyPartOf(0).x, rowRect(0).top}});
    EXPECT_EQ(titles(0), (Names{"Mail", "a.txt", "Notes", "b.txt"}));

    const std::string config = manager->barAt(0)->GetConfigFileName();
    ASSERT_TRUE(platform::setFileAttributes(config, platform::FileAttribute::ReadOnly));
    headless::dragFiles(*barForm, {a}, {emptyPartOf(0)});
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text,
              "[ Unable to write to " + config + " ]  link already exists. !");
    barForm->close();
    EXPECT_FALSE(headless::dragFiles(*barForm, {a}, {emptyPartOf(0)})) << "still a drop target";
}

// Without the window letting go, the next move would draw from freed memory.
TEST_F(DragDropTest, AnEntryOrRowDestroyedWhileItIsDraggedIsNotTouchedAgain) {
    start({{"Games", {"Mail", "Notes"}}, {"Tools", {"Editor"}}});
    openWindow();
    beginDrag(centre(0, 0));
    ASSERT_TRUE(MoveLink(manager->barAt(0), entry(0, 0), manager->barAt(1), nullptr));
    barForm->updateLayout();
    releaseAt(centre(1, 0));
    EXPECT_EQ(titles(1), (Names{"Editor", "Mail"}));

    beginDrag(emptyPartOf(1));
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1)));
    barForm->updateLayout();
    releaseAt(emptyPartOf(0));
    EXPECT_EQ(manager->barCount(), 1);
}

} // namespace
