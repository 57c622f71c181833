// The category window's menu commands on the headless backend: the delete question, titles as
// typed, a failing Add Icon, and what deleting leaves of the window's pointers into the model.
#include "barwindow/Formbar.h"

#include "manager/Barmanager.h"
#include "platform/Files.h"
#include "platform/Inifile.h"
#include "platform/System.h"
#include "platform/headless/Headless.h"
#include "store/Bar.h"
#include "store/Iconarea.h"
#include "tests/HeldFile.h"
#include "tests/Windowfixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using platform::Point;
namespace headless = platform::headless;

// A shown window over Games (Mail, Notes, Paint) and Tools (Editor), made through the model.
struct Window : testing_support::WindowSet {
    explicit Window(const std::string& languageFile = "") : WindowSet(languageFile) {
        open(Windows::Category);
        for (const char* name : {"Games", "Tools"})
            EXPECT_TRUE(barForm->createCategory(name));
        for (const char* link : {"Mail", "Notes", "Paint"})
            row(0).AddLink(folder.write(link, link), nullptr);
        row(1).AddLink(folder.write("Editor", ""), nullptr);
        barForm->show();
        barForm->updateLayout();
    }
};

TEST(CategoryCommands, DeleteCategoryAsksWithNoPreselectedAndOnlyYesDeletes) {
    const struct {
        const char* languageFile;
        int answer;
        bool held; // a file in the folder another program holds open
        const char* question;
        const char* caption;
    } cases[] = {
        {"", platform::MessageBoxAnswer::No, false, "Delete Category  [ Games ] ?",
         "Delete Category"},
        {"[Strings]\r\nMessageBox_DeleteBar=Remove\r\n", platform::MessageBoxAnswer::Yes, false,
         "Remove  [ Games ] ?", "Remove"},
        {"", platform::MessageBoxAnswer::Yes, true, "Delete Category  [ Games ] ?",
         "Delete Category"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        const Window window(c.languageFile);
        const std::string games = window.row(0).GetFolderPath();
        std::optional<testing_support::HeldFile> held;
        if (c.held) held.emplace(games + "\\Mail.lnk");
        headless::answerNextMessageBox(c.answer);
        window.choose("&Delete Category", window.emptyPartOf(0));
        const auto& boxes = headless::messageBoxes();
        ASSERT_EQ(boxes.size(), c.held ? 2u : 1u);
        EXPECT_EQ(boxes[0].text, c.question);
        EXPECT_EQ(boxes[0].caption, c.caption);
        EXPECT_EQ(boxes[0].style, 0x104u) << "Yes and No, No the default";
        EXPECT_EQ(boxes.back().text, c.held ? "Cannot delete " + games : c.question);
        const bool deleted = c.answer == platform::MessageBoxAnswer::Yes && !c.held;
        EXPECT_EQ(window.manager->barCount(), deleted ? 1 : 2);
        EXPECT_EQ(platform::folderExists(games), !deleted);
    }
}

TEST(CategoryCommands, ChangeTitleStoresTheTrimmedTextAndIgnoresAnEmptyOne) {
    const Window window;
    // Typed into the box (none for Cancel), then the title stored.
    const std::pair<std::optional<std::string>, std::string> steps[] = {{"  Notepad\t ", "Notepad"},
                                                                        {"notepad", "notepad"},
                                                                        {"  ", "notepad"},
                                                                        {std::nullopt, "notepad"}};
    for (const auto& [answer, stored] : steps) {
        headless::answerNextInputBox(answer);
        window.choose("&Change title ...", window.centre(0, 1));
        EXPECT_EQ(
            platform::IniSnapshot(window.row(0).GetConfigFileName()).readString("Titles", "1", ""),
            stored);
    }
    const headless::DialogRecord& box = headless::dialogsShown().back();
    EXPECT_EQ(box.caption + "|" + box.prompt + "|" + box.initialText,
              "Change title|Enter a title for the icon|notepad");
}

TEST(CategoryCommands, AFailingAddIconSaysWhyAndTheWindowShowsTheListAsItIs) {
    const Window window;
    Bar& games = window.row(0);
    ASSERT_TRUE(
        platform::setFileAttributes(games.GetConfigFileName(), platform::FileAttribute::ReadOnly));
    headless::answerNextFileDialog(window.folder.write("notepad.exe", "MZ"));
    window.choose("&Add Icon ...", window.emptyPartOf(0));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text,
              "[ Unable to write to " + games.GetConfigFileName() + " ]  link already exists. !");
    EXPECT_EQ(games.GetLinkCount(), 4);
    EXPECT_EQ(window.barForm->width(), window.barForm->rows().area().width + 1);
}

// Under AddressSanitizer a hover change after Delete reaches the destroyed entry unless the
// window has let go of it.
TEST(CategoryCommands, DeletingLeavesNothingInTheWindowPointingAtWhatWentAway) {
    const Window window;
    window.choose("&Delete", window.centre(0, 1));
    EXPECT_EQ(window.barForm->currentIcon(), nullptr);
    EXPECT_EQ(window.barForm->highlighted(), nullptr);
    EXPECT_EQ(headless::shownHint(*window.barForm), "");
    headless::mouseMove(*window.barForm, window.centre(0, 0));
    headless::mouseMove(*window.barForm, window.centre(0, 1));
    EXPECT_EQ(headless::shownHint(*window.barForm), "Paint");

    headless::answerNextMessageBox(platform::MessageBoxAnswer::Yes);
    window.choose("&Delete Category", window.emptyPartOf(1));
    EXPECT_EQ(window.barForm->currentBar(), nullptr);
    headless::mouseMove(*window.barForm, window.centre(0, 0));
    headless::paint(*window.barForm);
    EXPECT_EQ(window.barForm->currentIcon(), window.row(0).GetLink(0));
}

} // namespace
