// The command window with the real category window and main window on the headless backend:
// the hot key, filtering and the keys, and entries that the model destroys while rows point
// at them (run under AddressSanitizer too).
#include "command/Formcommand.h"

#include "app/Language.h"
#include "barwindow/Formbar.h"
#include "mainbutton/Formmain.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessshell.h"
#include "store/Bar.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

namespace headless = platform::headless;
using platform::Keys::Down;
using platform::Keys::Return;
using platform::Keys::Up;

class CommandFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWorld();
        headless::clearShellExecutions();
        // Titles are the shortcut files' names; "EMail" holds "ma" only further on.
        for (const auto& [name, links] : std::vector<std::pair<std::string, std::vector<std::string>>>{
                 {"Office", {"Notes", "Mail", "mailbox"}}, {"Web", {"Maps", "EMail", "MAIL"}}}) {
            ASSERT_TRUE(platform::createFolder(folder.file(name)));
            std::string list = "[Link]\r\nCount=3\r\n";
            for (std::size_t i = 0; i < links.size(); ++i) {
                folder.write(name + "\\" + links[i] + ".lnk", "");
                list += std::to_string(i) + "=" + links[i] + ".lnk\r\n";
            }
            folder.write(name + "\\config.txt", list);
        }
        folder.write("config.txt", "[Bar]\r\nCount=2\r\n0=Office\r\n1=Web\r\n");
        manager = std::make_unique<BarManager>(folder.path() + "\\");
        mainForm = platform::createForm<TMainForm>(folder.file("settings.txt"));
        MainForm = mainForm.get();
        barForm = platform::createForm<TBarForm>(*manager, language);
        form = platform::createForm<TCommandForm>(*manager, *barForm);
        mainForm->setCategoryWindow(barForm.get());
        mainForm->setCommandWindow(form.get());
    }
    void TearDown() override { MainForm = nullptr; }

    std::vector<std::string> rows() const {
        std::vector<std::string> titles;
        for (const auto& row : form->rows())
            titles.push_back(row.title + (row.entry->Owner == manager->barAt(0) ? "@0" : "@1"));
        return titles;
    }
    void press(int key) { headless::keyDown(*form, key); }
    // Category and shortcut of the last program started.
    static std::string started() {
        const auto& runs = headless::shellExecutions();
        if (runs.empty()) return "";
        const std::string& path = runs.back().file;
        return path.substr(path.rfind('\\', path.rfind('\\') - 1) + 1);
    }

    testing_support::TempFolder folder;
    Language language{folder.file("none.lang")};
    std::unique_ptr<BarManager> manager;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TBarForm> barForm;
    std::unique_ptr<TCommandForm> form;
};

TEST_F(CommandFormTest, HotKeyOpensBothAndTypingNarrowsToTitlesBeginningWithTheLetters) {
    headless::pressHotKey(*mainForm, 12345); // any identifier
    ASSERT_TRUE(barForm->visible() && form->visible());
    EXPECT_EQ(form->left(), barForm->left() + barForm->width() + TCommandForm::kGap);
    EXPECT_EQ(form->top(), 105);
    EXPECT_TRUE(headless::isTopmost(*form));
    EXPECT_EQ(headless::foregroundForm(), form.get());
    EXPECT_TRUE(form->CommandEdit.focused());
    EXPECT_EQ(rows(), (std::vector<std::string>{"EMail@1", "Mail@0", "MAIL@1", "mailbox@0",
                                                "Maps@1", "Notes@0"}));
    EXPECT_EQ(form->IconExeFileNameListBox.selectedIndex(), -1);

    headless::typeText(form->CommandEdit, " mA ");
    const std::vector<std::string> matching{"Mail@0", "mailbox@0", "Maps@1"};
    EXPECT_EQ(rows(), matching);
    EXPECT_EQ(form->IconExeFileNameListBox.selectedIndex(), 0);

    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId); // again: the text stays
    EXPECT_EQ(form->CommandEdit.text(), " mA ");
    EXPECT_EQ(rows(), matching);
    press(Up); // on the first row: stays, copied without narrowing the list to it
    EXPECT_EQ(form->CommandEdit.text(), "Mail");
    EXPECT_EQ(rows(), matching);
    press(Down);
    press(Down);
    press(Down); // past the last row
    EXPECT_EQ(form->CommandEdit.text(), "Maps");
    press(Up);
    press(Return);
    EXPECT_EQ(started(), "Office\\mailbox.lnk");
    EXPECT_FALSE(barForm->visible() || form->visible());
    EXPECT_FALSE(mainForm->mainButton().down());

    headless::setScreenWidth(barForm->left() + barForm->width() + TCommandForm::kGap + 100);
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    EXPECT_EQ(form->CommandEdit.text(), "");
    EXPECT_EQ(form->left() + form->width(), barForm->left() - TCommandForm::kGap);
    press(Return); // nothing selected: nothing starts, both close
    EXPECT_EQ(headless::shellExecutions().size(), 1u);
    EXPECT_FALSE(barForm->visible() || form->visible());
}

TEST_F(CommandFormTest, EntriesDestroyedWhileListedAreDroppedAndTheirTitlesReadAgain) {
    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(form->CommandEdit, "mail");
    ASSERT_EQ(rows(), (std::vector<std::string>{"Mail@0", "mailbox@0"}));
    Bar& office = *manager->barAt(0);
    office.RemoveLink(office.GetLink(1)); // "Mail", the selected row
    headless::paintRows(form->IconExeFileNameListBox);
    EXPECT_EQ(rows(), (std::vector<std::string>{"mailbox@0"}));
    EXPECT_EQ(form->IconExeFileNameListBox.selectedIndex(), -1);
    headless::typeText(form->CommandEdit, "\b"); // the other category's "MAIL" takes the title
    EXPECT_EQ(rows(), (std::vector<std::string>{"MAIL@1", "mailbox@0"}));
    press(Return);
    EXPECT_EQ(started(), "Web\\MAIL.lnk");

    headless::pressHotKey(*mainForm, TMainForm::kHotKeyId);
    headless::typeText(form->CommandEdit, "m");
    ASSERT_TRUE(manager->deleteBar(manager->barAt(1)));
    headless::paintRows(form->IconExeFileNameListBox);
    headless::typeText(form->CommandEdit, "a");
    EXPECT_EQ(rows(), (std::vector<std::string>{"mailbox@0"}));
    press(Return);
    EXPECT_EQ(started(), "Office\\mailbox.lnk");
}

TEST_F(CommandFormTest, TakenHotKeyWarnsOnceAndTheKeyIsGivenBackWithTheWindow) {
    mainForm.reset();
    platform::Form holder;
    auto taken = std::make_unique<platform::HotKey>(holder, 1, platform::HotKeyModifiers::Control, 'J');
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
