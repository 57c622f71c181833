// The name dialog as the category window's Rename item opens it, on the headless backend.
#include "barwindow/Formbar.h"
#include "barwindow/Formbarname.h"
#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "store/Bar.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

namespace headless = platform::headless;

TEST(NameDialog, ARefusedNameStaysAsTypedEscapeDoesNothingAndCanelForgetsTheCategory) {
    headless::resetWorld();
    testing_support::TempFolder folder;
    const Language language(folder.file("none.lang"));
    BarManager manager(folder.path() + "\\");
    const auto bars = platform::createForm<TBarForm>(manager, language);
    const auto dialog = platform::createForm<TBarNameForm>(*bars, language);
    bars->setNameDialog(dialog.get());
    EXPECT_EQ(dialog->caption(), "Enter a name");
    EXPECT_EQ(dialog->Label1.text(), "Name: ");
    ASSERT_TRUE(bars->createCategory("Games") && bars->createCategory("Tools"));
    bars->show();
    const auto renameFirstRow = [&](std::function<void()> script) {
        const platform::Rect row = bars->rows().rows()[0].rect;
        const platform::Point inside{row.left + 3, row.top + row.height / 2};
        headless::chooseNextMenuItem("&Rename ...");
        headless::runInNextModalShow([script](platform::Form&) { script(); });
        headless::mouseUp(*bars, platform::MouseButton::Right, inside);
    };

    renameFirstRow([&] {
        EXPECT_EQ(dialog->BarNameEdit.text(), "Games");
        EXPECT_EQ(dialog->BarNameEdit.selectionLength(), 5) << "all of it selected";
        headless::typeText(dialog->BarNameEdit, "Tools");
        headless::keyDown(*dialog, platform::Keys::Return);
        headless::keyDown(*dialog, platform::Keys::Escape);
        EXPECT_TRUE(dialog->visible());
        EXPECT_EQ(dialog->BarNameEdit.text(), "Tools");
        headless::click(dialog->Button2);
        EXPECT_FALSE(dialog->visible());
    });
    EXPECT_EQ(dialog->targetBar, nullptr);
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "Name is not available.");

    renameFirstRow([&] {
        headless::typeText(dialog->BarNameEdit, "Play");
        headless::click(dialog->Button1);
    });
    EXPECT_EQ(manager.barAt(0)->GetName(), "Play");
    EXPECT_TRUE(platform::folderExists(folder.file("Play")));
}

} // namespace
