// The command window with the real category window and main window on the headless backend:
// the hot key, filtering and the keys, and entries that the model destroys while rows point
// at them (run under AddressSanitizer too).
#include "command/Formcommand.h"

#include "barwindow/Formbar.h"
#include "command/Rememberedchoices.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "platform/headless/Headlessstartmenu.h"
#include "store/Bar.h"
#include "tests/TempFolder.h"
#include "tests/Windowfixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

namespace headless = platform::headless;
using platform::Keys::Down;
using platform::Keys::Return;
using platform::Keys::Up;

class CommandFormTest : public ::testing::Test, public testing_support::WindowSet {
protected:
    void SetUp() override {
        // Titles are the files' names; "ma" begins a later word of "Format-Manager", "Old mail".
        testing_support::writeDataFolder(
            folder, {{"Office", {"Notes", "Mail", "mailbox", "Notepad", "Format-Manager"}},
                     {"Web", {"Maps", "EMail", "MAIL", "Old mail", "Annotations"}}});
        ASSERT_FALSE(HasFatalFailure());
        open(Windows::All);
    }

    std::vector<std::string> rows() const {
        std::vector<std::string> titles;
        for (const auto& row : commandForm->rows())
            titles.push_back(row->title + (!row->entry                              ? "@Start"
                                           : row->entry->Owner == manager->barAt(0) ? "@0"
                                                                                    : "@1"));
        return titles;
    }
    void press(int key) { headless::keyDown(*commandForm, key); }
    // Category and shortcut of the last program started.
    static std::string started() {
        const auto& runs = headless::shellExecutions();
        if (runs.empty()) return "";
        const std::string& path = runs.back().file;
        return path.substr(path.rfind('\\', path.rfind('\\') - 1) + 1);
    }
};

TEST_F(CommandFormTest, HotKeyOpensBothAndTypingListsTitlesBeginningThenWordsThenInside) {
    headless::pressHotKey(*mainForm, 12345); // any identifier
    ASSERT_TRUE(barForm->visible() && commandForm->visible());
    EXPECT_EQ(commandForm->left(), barForm->left() + barForm->width() + TCommandForm::kGap);
    EXPECT_EQ(commandForm->top(), 105);
    EXPECT_TRUE(headless::isTopmost(*commandForm));
    EXPECT_EQ(headless::foregroundForm(), commandForm.get());
    EXPECT_TRUE(commandForm->CommandEdit.focused());
    EXPECT_EQ(rows(), (std::vector<std::string>{"Annotations@1", "EMail@1", "Format-Manager@0",
                                                "Mail@0", "MAIL@1", "mailbox@0", "Maps@1",
                                                "Notepad@0", "Notes@0", "Old mail@1"}));
    EXPECT_EQ(commandForm->IconExeFileNameListBox.selectedIndex(), -1);

    commandForm->CommandEdit.setText("no"); // the first row stays one that begins with it
    EXPECT_EQ(rows(), (std::vector<std::string>{"Notepad@0", "Notes@0", "Annotations@1"}));
    EXPECT_EQ(commandForm->IconExeFileNameListBox.selectedIndex(), 0);
    commandForm->CommandEdit.setText("pad");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Notepad@0"}));
    commandForm->CommandEdit.setText("");
    headless::typeText(commandForm->CommandEdit, " mA ");
    const std::vector<std::string> matching{"Mail@0",           "mailbox@0",  "Maps@1",
                                            "Format-Manager@0", "Old mail@1", "EMail@1"};
    EXPECT_EQ(rows(), matching);
    EXPECT_EQ(commandForm->IconExeFileNameListBox.selectedIndex(), 0);

    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId); // again: the text stays
    EXPECT_EQ(commandForm->CommandEdit.text(), " mA ");
    EXPECT_EQ(rows(), matching);
    press(Up); // on the first row: stays, copied without narrowing the list to it
    EXPECT_EQ(commandForm->CommandEdit.text(), "Mail");
    EXPECT_EQ(rows(), matching);
    for (std::size_t i = 0; i < matching.size(); ++i)
        press(Down); // the last goes past the last row
    EXPECT_EQ(commandForm->CommandEdit.text(), "EMail");
    press(Up);
    press(Return);
    EXPECT_EQ(started(), "Web\\Old mail.lnk");
    EXPECT_FALSE(barForm->visible() || commandForm->visible());
    EXPECT_FALSE(mainForm->mainButton().down());

    // Too little room on the right: on the left where the work area goes on there (a monitor
    // left of this one), else over the category window at the work area's right end, and
    // never below it.
    const int categoryRight = barForm->left() + barForm->width();
    const int width = commandForm->width();
    headless::setWorkArea(platform::Rect{-400, 0, categoryRight + 400 + 100, 768});
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    EXPECT_EQ(commandForm->CommandEdit.text(), "");
    EXPECT_EQ(commandForm->left() + width, barForm->left() - TCommandForm::kGap);
    press(Return); // nothing selected: nothing starts, both close
    EXPECT_EQ(headless::shellExecutions().size(), 1u);
    EXPECT_FALSE(barForm->visible() || commandForm->visible());
    headless::setWorkArea(platform::Rect{0, 0, categoryRight + 100, 400});
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    EXPECT_EQ(commandForm->bounds(), (platform::Rect{categoryRight + 100 - width, 0, width, 400}));
    headless::setWorkArea(platform::Rect{0, 200, categoryRight + 100, 568});
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    EXPECT_EQ(commandForm->bounds(),
              (platform::Rect{categoryRight + 100 - width, 200, width, 400}));
}

TEST_F(CommandFormTest, EntriesDestroyedWhileListedAreDroppedAndTheirTitlesReadAgain) {
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "mail");
    ASSERT_EQ(rows(), (std::vector<std::string>{"Mail@0", "mailbox@0", "Old mail@1", "EMail@1"}));
    choose("&Delete", centre(0, 1)); // "Mail", the selected row
    headless::paint(*commandForm);
    EXPECT_EQ(rows(), (std::vector<std::string>{"mailbox@0", "Old mail@1", "EMail@1"}));
    EXPECT_EQ(commandForm->IconExeFileNameListBox.selectedIndex(), 0);
    headless::typeText(commandForm->CommandEdit,
                       "\b"); // the other category's "MAIL" takes the title
    EXPECT_EQ(rows(), (std::vector<std::string>{"MAIL@1", "mailbox@0", "Old mail@1", "EMail@1"}));
    press(Return);
    EXPECT_EQ(started(), "Web\\MAIL.lnk");

    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "m");
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1)));
    headless::paint(*commandForm);
    headless::typeText(commandForm->CommandEdit, "a");
    EXPECT_EQ(rows(), (std::vector<std::string>{"mailbox@0", "Format-Manager@0"}));
    press(Return);
    EXPECT_EQ(started(), "Office\\mailbox.lnk");
}

TEST_F(CommandFormTest, StartMenuProgramsFollowTheCategoriesAndAChoiceIsRememberedForTheTypedText) {
    const std::string user = folder.file("Start user"), common = folder.file("Start common");
    for (const std::string& made : {user, common, user + "\\Tools"})
        ASSERT_TRUE(platform::createFolder(made));
    // Left out: an uninstaller, a help page, what is no shortcut, and titles listed already.
    for (const std::string& link :
         {user + "\\Mapper.lnk", user + "\\Uninstall Mapper.lnk", user + "\\Mapper Help.lnk",
          user + "\\Tools\\Map Viewer.lnk", common + "\\mapper.lnk", common + "\\MAIL.lnk",
          common + "\\Maps.txt"})
        ASSERT_TRUE(platform::replaceFile(link, ""));
    headless::setStartMenuFolders({user, common});
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "map");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Maps@1", "Map Viewer@Start", "Mapper@Start"}));

    commandForm->CommandEdit.setText("");
    headless::typeText(commandForm->CommandEdit, "ma");
    press(Down);
    press(Down);
    press(Down);
    ASSERT_EQ(commandForm->CommandEdit.text(), "Map Viewer");
    press(Return);
    EXPECT_EQ(headless::shellExecutions().back().file, user + "\\Tools\\Map Viewer.lnk");
    // Remembered under what was typed, not under the title the row put into the edit box.
    RememberedChoices stored(folder.file("choices.txt"));
    EXPECT_EQ(stored.chosenFor("ma"), "map viewer");
    EXPECT_EQ(stored.chosenFor("map viewer"), "");

    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "ma");
    const std::vector<std::string> later{"Format-Manager@0", "Old mail@1", "EMail@1"};
    std::vector<std::string> expected{"Map Viewer@Start", "Mail@0", "mailbox@0", "Maps@1",
                                      "Mapper@Start"};
    expected.insert(expected.end(), later.begin(), later.end());
    EXPECT_EQ(rows(), expected);
    // A shortcut added while the window shows is listed at once.
    ASSERT_TRUE(platform::replaceFile(common + "\\Magnifier.lnk", ""));
    headless::changeStartMenu();
    expected.insert(expected.begin() + 4, "Magnifier@Start");
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(commandForm->IconExeFileNameListBox.selectedIndex(), 0);
    headless::paint(*commandForm);

    commandForm->setListsStartMenu(false);
    press(platform::Keys::Escape);
    EXPECT_FALSE(
        platform::IniFile(folder.file("settings.txt")).readBool("Command", "StartMenu", true));
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "map");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Maps@1"}));
    press(platform::Keys::Escape);
    // Turned on, and changed, while the window is hidden: read at the next showing.
    commandForm->setListsStartMenu(true);
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    press(platform::Keys::Escape);
    ASSERT_TRUE(platform::replaceFile(common + "\\Mapmaker.lnk", ""));
    headless::changeStartMenu();
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(commandForm->CommandEdit, "map");
    EXPECT_EQ(rows(), (std::vector<std::string>{"Maps@1", "Map Viewer@Start", "Mapmaker@Start",
                                                "Mapper@Start"}));
    headless::setStartMenuFolders({});
}

// A list three and a half rows high: only the rows in view are drawn, the selection is kept in
// view, and readers hear the rows and the selected one at the places where they are drawn.
TEST_F(CommandFormTest, TheListDrawsTheRowsInViewScrollsToTheSelectionAndTellsReaders) {
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    const RowList& list = commandForm->IconExeFileNameListBox;
    commandForm->setClientSize({262, list.bounds().top + 4 + 3 * 18 + 9 + 4});
    const auto drawnTitles = [&] {
        std::vector<std::string> titles;
        for (const auto& run : headless::paint(*commandForm).texts)
            if (list.bounds().contains(run.at)) titles.push_back(run.text);
        return titles;
    };
    // The cue's strip right of the first three rows, where it lies while they are in view.
    const auto cuePixels = [&] {
        const platform::Rect& box = list.bounds();
        return headless::paint(*commandForm)
            .count({box.right() - 2 - 7, box.top + 2, 7, 3 * 18}, 0x808080);
    };
    ASSERT_EQ(list.rowsInView(), 3);
    EXPECT_EQ(drawnTitles(),
              (std::vector<std::string>{"Annotations", "EMail", "Format-Manager", "Mail"}));
    EXPECT_GT(cuePixels(), 0);
    press(platform::Keys::PageDown); // to the view's last row, then a view less one row on
    press(platform::Keys::PageDown);
    EXPECT_EQ(list.selectedIndex(), 4);
    EXPECT_EQ(commandForm->CommandEdit.text(), "MAIL");
    EXPECT_EQ(list.topRow(), 2);
    EXPECT_EQ(drawnTitles(),
              (std::vector<std::string>{"Format-Manager", "Mail", "MAIL", "mailbox"}));
    platform::AccessibleTree& tree = *headless::accessibleTree(*commandForm);
    ASSERT_EQ(tree.accessibleCount(-1), 1);
    const auto rowsList = tree.accessibleItem(-1, 0);
    ASSERT_TRUE(rowsList);
    EXPECT_EQ(rowsList->role, platform::AccessibleRole::List);
    EXPECT_EQ(rowsList->location, list.bounds());
    ASSERT_EQ(tree.accessibleCount(0), 10);
    const auto selected = tree.accessibleItem(0, 4);
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->role, platform::AccessibleRole::ListItem);
    EXPECT_EQ(selected->name, "MAIL");
    EXPECT_TRUE(selected->focused);
    EXPECT_EQ(selected->location, (platform::Rect{list.bounds().left + 2,
                                                  list.bounds().top + 2 + 2 * 18,
                                                  list.bounds().width - 4 - 7, 18}));
    EXPECT_EQ(headless::accessibleFocusEvents(*commandForm).back(),
              (headless::AccessibleFocus{0, 4}));

    const platform::Point inList{list.bounds().left + 20, list.bounds().top + 2 + 18 + 5};
    headless::turnWheel(*commandForm, inList, -1); // three rows down
    EXPECT_EQ(list.topRow(), 5);
    headless::turnWheel(*commandForm, inList, 2);
    EXPECT_EQ(list.topRow(), 0);
    headless::mouseDown(*commandForm, platform::MouseButton::Left, inList);
    headless::mouseUp(*commandForm, platform::MouseButton::Left, inList);
    EXPECT_EQ(list.selectedIndex(), 1);
    EXPECT_TRUE(commandForm->CommandEdit.focused());
    for (int i = 0; i < 6; ++i)
        press(platform::Keys::PageDown);
    EXPECT_EQ(list.selectedIndex(), 9);
    EXPECT_EQ(list.topRow(), 7);
    commandForm->setClientSize({262, 429}); // every row fits: back to the top, and no cue
    EXPECT_EQ(list.topRow(), 0);
    EXPECT_EQ(cuePixels(), 0);

    headless::doubleClick(*commandForm, inList);
    EXPECT_EQ(started(), "Web\\EMail.lnk");
    EXPECT_FALSE(commandForm->visible());
}

TEST(RememberedChoices, TheNewestAreKeptAndADamagedFileHoldsNone) {
    testing_support::TempFolder folder;
    {
        RememberedChoices choices(folder.file("choices.txt"));
        for (std::size_t i = 0; i <= RememberedChoices::kLimit; ++i)
            choices.remember("q" + std::to_string(i), "\"title\" " + std::to_string(i));
        choices.remember("q1", "again");
    }
    RememberedChoices read(folder.file("choices.txt"));
    EXPECT_EQ(read.chosenFor("q0"), ""); // the oldest went
    EXPECT_EQ(read.chosenFor("q1"), "again");
    EXPECT_EQ(read.chosenFor("q2"), "\"title\" 2");
    EXPECT_EQ(read.chosenFor(std::to_string(RememberedChoices::kLimit)), "");

    folder.write("choices.txt", "[Choices]\nCount=999999\n[Typed]\n0=\n\x01\xff=x\n[Started]\n5=y");
    RememberedChoices damaged(folder.file("choices.txt"));
    EXPECT_EQ(damaged.chosenFor(""), "");
    damaged.remember("new", "one");
    EXPECT_EQ(RememberedChoices(folder.file("choices.txt")).chosenFor("new"), "one");
}

TEST_F(CommandFormTest, TakenHotKeyWarnsOnceAndTheKeyIsGivenBackWithTheWindow) {
    mainForm.reset();
    platform::Form holder;
    auto taken =
        std::make_unique<platform::HotKey>(holder, 1, platform::HotKeyModifiers::Control, 'J');
    mainForm = platform::createForm<TMainForm>(folder.file("settings.txt"));
    EXPECT_FALSE(mainForm->hotKey()->registered());
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "[ Ctr+j ]   Registering Hot Key failed");
    EXPECT_EQ(headless::messageBoxes()[0].caption, platform::applicationTitle());
    EXPECT_EQ(headless::messageBoxes()[0].style, platform::MessageBoxStyle::IconWarning);

    taken.reset();
    mainForm = platform::createForm<TMainForm>(folder.file("settings.txt"));
    EXPECT_TRUE(mainForm->hotKey()->registered());
    mainForm.reset();
    EXPECT_TRUE(platform::HotKey(holder, 1, platform::HotKeyModifiers::Control, 'J').registered());
    EXPECT_EQ(headless::messageBoxes().size(), 1u);
}

} // namespace
