// The category window's small dialogs on the headless backend: the name dialog as the two menu
// commands open it, and the about box and the monthly notice with their links to the web page.
#include "app/App.h"
#include "app/Noticeday.h"
#include "barwindow/Formabout.h"
#include "barwindow/Formbar.h"
#include "barwindow/Formbarname.h"
#include "barwindow/Formtip.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "platform/headless/Headlessprocess.h"
#include "store/Bar.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using platform::Keys::Escape;
using platform::Keys::Return;
namespace headless = platform::headless;

class NameDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::resetWorld();
        BarNameForm = nameForm.get();
    }
    void TearDown() override { BarNameForm = nullptr; }

    bool showing() const { return nameForm->visible(); }
    std::size_t refusals() const {
        std::size_t count = 0;
        for (const auto& box : headless::messageBoxes())
            count += box.text == "Name is not available.";
        return count;
    }
    void renameRow(int row, std::function<void(TBarNameForm&)> script) {
        const Bar& bar = *manager.barAt(row);
        const platform::Point inside{bar.Left + 3, bar.Top + bar.Height / 2};
        headless::chooseNextMenuItem("&Rename ...");
        headless::runInNextModalShow([this, script](platform::Form&) { script(*nameForm); });
        headless::mouseDown(*barForm, platform::MouseButton::Right, inside);
        headless::mouseUp(*barForm, platform::MouseButton::Right, inside);
    }

    testing_support::TempFolder folder;
    Language language{folder.file("none.lang")};
    BarManager manager{folder.path() + "\\"};
    std::unique_ptr<TBarForm> barForm = platform::createForm<TBarForm>(manager, language);
    std::unique_ptr<TBarNameForm> nameForm = platform::createForm<TBarNameForm>(*barForm, language);
};

TEST_F(NameDialogTest, ANewNameIsTakenAsTypedWhileARefusedOneKeepsTheDialogOpen) {
    EXPECT_EQ(nameForm->caption(), "Enter a name");
    EXPECT_EQ(nameForm->Label1.text(), "Name: ");
    headless::runInNextModalShow([this](platform::Form&) {
        EXPECT_TRUE(nameForm->BarNameEdit.focused());
        headless::keyDown(*nameForm, Escape);
        EXPECT_TRUE(showing()) << "Escape does nothing";
        headless::keyDown(*nameForm, Return);
        EXPECT_TRUE(showing()) << "an empty name is refused";
        EXPECT_EQ(refusals(), 1u);
        headless::typeText(nameForm->BarNameEdit, " Games");
        headless::keyDown(*nameForm, Return);
        EXPECT_FALSE(showing());
    });
    barForm->MenuItemNewCategoryClick();
    ASSERT_EQ(manager.barCount(), 1);
    EXPECT_EQ(manager.barAt(0)->GetName(), " Games") << "not trimmed";
    EXPECT_TRUE(platform::folderExists(folder.file(" Games")));

    nameForm->BarNameEdit.setText("left over");
    headless::runInNextModalShow([this](platform::Form&) {
        EXPECT_EQ(nameForm->BarNameEdit.text(), "") << "a new name starts empty";
        headless::typeText(nameForm->BarNameEdit, " Games");
        headless::keyDown(*nameForm, Return);
        EXPECT_TRUE(showing()) << "a name in use is refused";
        EXPECT_EQ(nameForm->BarNameEdit.text(), " Games");
        EXPECT_EQ(refusals(), 2u);
        headless::click(nameForm->Button2);
        EXPECT_FALSE(showing());
    });
    barForm->MenuItemNewCategoryClick();
    EXPECT_EQ(manager.barCount(), 1);
}

TEST_F(NameDialogTest, RenameOpensWithTheNameSelectedAndCanelForgetsTheCategory) {
    ASSERT_TRUE(barForm->createCategory("Games"));
    ASSERT_TRUE(barForm->createCategory("Tools"));
    barForm->show();
    renameRow(0, [this](TBarNameForm& dialog) {
        EXPECT_EQ(dialog.targetBar, manager.barAt(0));
        EXPECT_EQ(dialog.BarNameEdit.text(), "Games");
        EXPECT_EQ(dialog.BarNameEdit.selectionStart(), 0);
        EXPECT_EQ(dialog.BarNameEdit.selectionLength(), 5);
        headless::typeText(dialog.BarNameEdit, "Tools");
        headless::keyDown(dialog, Return);
        EXPECT_TRUE(showing()) << "the other category's name";
        headless::click(dialog.Button2);
        EXPECT_FALSE(showing());
    });
    EXPECT_EQ(nameForm->targetBar, nullptr);
    EXPECT_EQ(manager.barAt(0)->GetName(), "Games");

    renameRow(1, [](TBarNameForm& dialog) {
        headless::typeText(dialog.BarNameEdit, "Editors");
        headless::click(dialog.Button1);
    });
    EXPECT_EQ(manager.barAt(1)->GetName(), "Editors");
    EXPECT_TRUE(platform::folderExists(folder.file("Editors")));
    EXPECT_FALSE(platform::folderExists(folder.file("Tools")));
    EXPECT_EQ(refusals(), 1u);
    EXPECT_TRUE(barForm->renameCategory(nullptr, "Anything")) << "nothing to rename";
}

TEST(AboutAndNotice, ShowTheVersionAndOpenTheHomePageTheNoticeOnlyOnItsDay) {
    headless::resetWorld();
    testing_support::TempFolder folder;
    App app(folder.file("Kestrum.exe"));
    auto& opened = headless::openedDocuments();
    opened.clear();

    const auto about = platform::createForm<TAboutForm>(app);
    EXPECT_EQ(about->LabelVersion.text(), "  Kestrum 2.0   ");
    EXPECT_EQ(about->LabelHomePageURL.text(), app.homePage);
    headless::click(about->LabelHomePageURL);
    EXPECT_EQ(opened, std::vector<std::string>{app.homePage});

    const auto tip = platform::createForm<TKestrumTipForm>(app);
    app.firstRunDay = noticeday::today() - 58;
    tip->Show();
    EXPECT_FALSE(tip->visible());
    app.firstRunDay = noticeday::today() - 59;
    tip->Show();
    ASSERT_TRUE(tip->visible());
    EXPECT_EQ(tip->bounds().left, 343);
    EXPECT_EQ(tip->bounds().top, 0);
    headless::click(tip->Button1);
    EXPECT_FALSE(tip->visible());
    EXPECT_EQ(opened.size(), 2u);
}

} // namespace
